#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "form/text_controls.h"

namespace kelvra::cli {

// Echoes the lines of a trace as they are written, and tells who watches which line came.
class TraceEcho : public form::ControlObserver {
 public:
  using Filter = std::function<bool(const std::string&)>;

  // Only the lines the filter accepts are echoed (all without one); every line is seen.
  TraceEcho(form::Memo& memo, std::ostream& out, std::function<void(const std::string&)> seen,
            Filter shown = nullptr)
      : memo_(memo), out_(out), seen_(std::move(seen)), shown_(std::move(shown)) {
    memo_.AddObserver(this);
  }
  ~TraceEcho() override { memo_.RemoveObserver(this); }
  TraceEcho(const TraceEcho&) = delete;
  TraceEcho& operator=(const TraceEcho&) = delete;

  void ControlChanged(form::Control&, form::Aspect aspect) override {
    if (aspect != form::Aspect::LineAdded)
      return;
    const std::string added = memo_.Lines().back();
    if (!shown_ || shown_(added)) {
      std::string line = added;
      std::erase(line, '\r');
      if (line.empty() || line.back() != '\n')
        line += '\n';
      out_ << line << std::flush;
    }
    if (seen_)
      seen_(added);
  }

 private:
  form::Memo& memo_;
  std::ostream& out_;
  std::function<void(const std::string&)> seen_;
  Filter shown_;
};

}  // namespace kelvra::cli
