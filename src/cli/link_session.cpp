#include "cli/link_session.h"

#include <QCoreApplication>
#include <QTimer>
#include <ostream>

#include "common/number_text.h"

namespace kelvra::cli {

OptionTaken TakeLinkOption(const std::vector<std::string>& args, size_t& i, LinkOptions& options,
                           std::ostream& err) {
  const std::string& arg = args[i];
  const bool hasValue = i + 1 < args.size();
  if (arg == "--alt") {
    options.alternative = true;
    return OptionTaken::Yes;
  }
  if (!hasValue)
    return OptionTaken::No;
  if (arg == "--port") {
    options.port = args[++i];
  } else if (arg == "--interface") {
    const std::string& kind = args[++i];
    if (kind == "elm327") {
      options.kind = link::InterfaceKind::Elm327;
    } else if (kind == "elm323") {
      options.kind = link::InterfaceKind::Elm323;
    } else if (kind == "mobydic") {
      options.kind = link::InterfaceKind::Mobydic;
    } else {
      err << "Interface inconnue : " << kind << " (elm327, elm323 ou mobydic)\n";
      return OptionTaken::Invalid;
    }
  } else if (arg == "--baud") {
    const std::string& baud = args[++i];
    if (baud != "9600" && baud != "38400") {
      err << "Vitesse non prise en charge : " << baud << " (9600 ou 38400)\n";
      return OptionTaken::Invalid;
    }
    options.fastRate = baud == "38400";
  } else if (arg == "--timeout") {
    std::int32_t seconds = 0;
    if (!TryParseInteger(args[++i], seconds) || seconds < 1) {
      err << "Valeur invalide pour --timeout : " << args[i] << '\n';
      return OptionTaken::Invalid;
    }
    options.timeoutSeconds = seconds;
  } else {
    return OptionTaken::No;
  }
  return OptionTaken::Yes;
}

LinkSession::LinkSession(const Invocation& invocation) : dialogs(invocation.out, invocation.err) {
  station.debugAuto.SetChecked(true);  // nobody to close the mOByDic prompt
}

void LinkSession::Finish(int code) {
  if (finished_)
    return;
  finished_ = true;
  result_ = code;
  if (alternative.IsOpen())
    alternative.Close();  // ends its read loop
  QCoreApplication::quit();
}

int LinkSession::Run(const LinkOptions& options, const std::function<void()>& onTimeout) {
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, [&] { onTimeout(); });
  deadline.start(options.timeoutSeconds * 1000);
  QTimer::singleShot(0, [&] {
    // With the program's own port this returns only when the port is closed again.
    const bool opened = services.Dispatch([&] {
      station.Connect(options.kind, options.fastRate, options.port, options.alternative);
    });
    if (!opened)
      Finish(kExitFailure);
  });
  QCoreApplication::exec();
  if (component.IsOpen())
    component.Close();
  return result_;
}

}  // namespace kelvra::cli
