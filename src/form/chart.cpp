#include "form/chart.h"

#include <algorithm>

namespace kelvra::form {

ChartSeries::ChartSeries(Chart& chart, std::string_view title, Color color, SeriesStyle style)
    : chart_(chart), title_(title), color_(color), style_(style) {}

void ChartSeries::SetTitle(std::string_view title) {
  if (title_ == title)
    return;
  title_ = std::string(title);
  chart_.SeriesChanged();
}

void ChartSeries::SetColor(Color color) {
  if (color_ == color)
    return;
  color_ = color;
  chart_.SeriesChanged();
}

void ChartSeries::SetVisible(bool visible) {
  if (visible_ == visible)
    return;
  visible_ = visible;
  chart_.SeriesChanged();
}

void ChartSeries::SetLineWidth(int width) {
  if (lineWidth_ == width)
    return;
  lineWidth_ = width;
  chart_.SeriesChanged();
}

void ChartSeries::SetLineStyle(PenStyle style) {
  if (lineStyle_ == style)
    return;
  lineStyle_ = style;
  chart_.SeriesChanged();
}

void ChartSeries::SetAxis(AxisSide axis) {
  if (axis_ == axis)
    return;
  axis_ = axis;
  chart_.SeriesChanged();
}

void ChartSeries::Add(double x, double y) {
  points_.push_back({x, y});
  chart_.SeriesChanged();
}

void ChartSeries::Clear() {
  if (points_.empty())
    return;
  points_.clear();
  chart_.SeriesChanged();
}

std::optional<double> ChartSeries::MaxY() const {
  if (points_.empty())
    return std::nullopt;
  return std::max_element(points_.begin(), points_.end(),
                          [](const ChartPoint& a, const ChartPoint& b) { return a.y < b.y; })
      ->y;
}

Chart::Chart(Window& owner, std::string name, Container* parent)
    : Control(owner, std::move(name), ControlKind::Chart, parent) {}

void Chart::SetTitle(std::string_view title) {
  if (title_ == title)
    return;
  title_ = std::string(title);
  Notify(Aspect::Chart);
}

void Chart::SetLegendVisible(bool visible) {
  if (legendVisible_ == visible)
    return;
  legendVisible_ = visible;
  Notify(Aspect::Chart);
}

ChartSeries& Chart::AddSeries(std::string_view title, Color color, SeriesStyle style) {
  series_.push_back(std::make_unique<ChartSeries>(*this, title, color, style));
  Notify(Aspect::Chart);
  return *series_.back();
}

void Chart::RemoveAllSeries() {
  series_.clear();
  Notify(Aspect::Chart);
}

void Chart::SetLeftAxis(const ChartAxis& axis) {
  if (left_ == axis)
    return;
  left_ = axis;
  Notify(Aspect::Chart);
}

void Chart::SetRightAxis(const ChartAxis& axis) {
  if (right_ == axis)
    return;
  right_ = axis;
  Notify(Aspect::Chart);
}

void Chart::SetBottomAxis(const ChartAxis& axis) {
  if (bottom_ == axis)
    return;
  bottom_ = axis;
  Notify(Aspect::Chart);
}

void Chart::ResetZoom() {
  ++zoomResets_;
  Notify(Aspect::Chart);
}

}  // namespace kelvra::form
