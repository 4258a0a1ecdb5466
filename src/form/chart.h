#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/canvas.h"
#include "form/control.h"

namespace kelvra::form {

class Chart;

enum class SeriesStyle { Line, FastLine, Points };
enum class AxisSide { Left, Right };

struct ChartPoint {
  double x = 0;
  double y = 0;
  bool operator==(const ChartPoint&) const = default;
};

// One series of a chart: its points in the order added.
class ChartSeries {
 public:
  ChartSeries(Chart& chart, std::string_view title, Color color, SeriesStyle style);

  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title);
  Color GetColor() const { return color_; }
  void SetColor(Color color);
  SeriesStyle Style() const { return style_; }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int LineWidth() const { return lineWidth_; }
  void SetLineWidth(int width);
  PenStyle LineStyle() const { return lineStyle_; }
  void SetLineStyle(PenStyle style);
  AxisSide Axis() const { return axis_; }
  void SetAxis(AxisSide axis);

  const std::vector<ChartPoint>& Points() const { return points_; }
  int Count() const { return static_cast<int>(points_.size()); }
  void Add(double x, double y);
  void Clear();
  // The largest y, or nothing for an empty series.
  std::optional<double> MaxY() const;

 private:
  Chart& chart_;
  std::string title_;
  Color color_;
  SeriesStyle style_;
  bool visible_ = true;
  int lineWidth_ = 1;
  PenStyle lineStyle_ = PenStyle::Solid;
  AxisSide axis_ = AxisSide::Left;
  std::vector<ChartPoint> points_;
};

// An axis either follows the data or keeps a fixed range and step.
struct ChartAxis {
  bool automatic = true;
  double minimum = 0;
  double maximum = 0;
  double increment = 0;  // 0: chosen by the view
  std::string title;
  bool visible = true;
  bool operator==(const ChartAxis&) const = default;
};

class Chart : public Control {
 public:
  Chart(Window& owner, std::string name, Container* parent);

  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title);
  bool LegendVisible() const { return legendVisible_; }
  void SetLegendVisible(bool visible);

  ChartSeries& AddSeries(std::string_view title, Color color,
                         SeriesStyle style = SeriesStyle::Line);
  int SeriesCount() const { return static_cast<int>(series_.size()); }
  ChartSeries& Series(int index) { return *series_.at(index); }
  const ChartSeries& Series(int index) const { return *series_.at(index); }
  void RemoveAllSeries();

  const ChartAxis& LeftAxis() const { return left_; }
  const ChartAxis& RightAxis() const { return right_; }
  const ChartAxis& BottomAxis() const { return bottom_; }
  void SetLeftAxis(const ChartAxis& axis);
  void SetRightAxis(const ChartAxis& axis);
  void SetBottomAxis(const ChartAxis& axis);
  // Undoes a user's zoom: the axes show their ranges again.
  void ResetZoom();
  int ZoomResets() const { return zoomResets_; }

 private:
  friend class ChartSeries;
  void SeriesChanged() { Notify(Aspect::Chart); }

  std::string title_;
  bool legendVisible_ = true;
  std::vector<std::unique_ptr<ChartSeries>> series_;
  ChartAxis left_;
  ChartAxis right_;
  ChartAxis bottom_;
  int zoomResets_ = 0;
};

}  // namespace kelvra::form
