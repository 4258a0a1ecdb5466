#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "form/chart.h"
#include "qt/bindings.h"
#include "qt/display_list_painter.h"

namespace kelvra::qt {

namespace {

struct Span {
  double low = 0;
  double high = 0;
  bool any = false;
  void Take(double v) {
    if (!std::isfinite(v))
      return;
    low = any ? std::min(low, v) : v;
    high = any ? std::max(high, v) : v;
    any = true;
  }
};

void ApplyAxis(QValueAxis* axis, const form::ChartAxis& settings, const Span& data) {
  axis->setVisible(settings.visible);
  axis->setTitleText(ToQ(settings.title));
  double low = settings.minimum;
  double high = settings.maximum;
  if (settings.automatic) {
    low = data.any ? data.low : 0;
    high = data.any ? data.high : 1;
  }
  if (!(high > low))
    high = low + 1;
  axis->setRange(low, high);
  if (!settings.automatic && settings.increment > 0) {
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(low);
    axis->setTickInterval(settings.increment);
  } else {
    axis->setTickType(QValueAxis::TicksFixed);
    if (settings.automatic)
      axis->applyNiceNumbers();
  }
}

// Rebuilds the chart from the control, at most once per pass of the event loop however many points
// the logic adds meanwhile.
class ChartBinding : public ControlBinding {
 public:
  ChartBinding(form::Chart& chart, QWidget* parent)
      : ControlBinding(chart, new QChartView(parent)),
        chart_(chart),
        view_(static_cast<QChartView*>(Widget())) {
    // The view comes with a chart of its own; replacing it would orphan that one.
    view_->setRenderHint(QPainter::Antialiasing, false);
    view_->chart()->setMargins(QMargins(2, 2, 2, 2));
    view_->chart()->legend()->setAlignment(Qt::AlignRight);
    // The user zooms with a rectangle; a double click on the chart undoes it (ResetZoom).
    view_->setRubberBand(QChartView::RectangleRubberBand);
    ForwardMouse(view_->viewport(), chart);
  }

 protected:
  void Update(form::Aspect aspect) override {
    if (aspect != form::Aspect::Chart || pending_)
      return;
    pending_ = true;
    QTimer::singleShot(0, Context(), [this] { Rebuild(); });
  }

 private:
  void Rebuild() {
    pending_ = false;
    QChart* chart = view_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
      chart->removeAxis(axis);
      delete axis;
    }
    chart->setTitle(ToQ(chart_.Title()));
    chart->legend()->setVisible(chart_.LegendVisible());

    auto* bottom = new QValueAxis;
    auto* left = new QValueAxis;
    QValueAxis* right = nullptr;
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    Span xs, leftYs, rightYs;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
      const form::ChartSeries& source = chart_.Series(i);
      if (!source.Visible())
        continue;
      QXYSeries* series = source.Style() == form::SeriesStyle::Points
                              ? static_cast<QXYSeries*>(new QScatterSeries)
                              : static_cast<QXYSeries*>(new QLineSeries);
      series->setName(ToQ(source.Title()));
      QList<QPointF> points;
      points.reserve(source.Count());
      Span& ys = source.Axis() == form::AxisSide::Right ? rightYs : leftYs;
      for (const form::ChartPoint& p : source.Points()) {
        points.append(QPointF(p.x, p.y));
        xs.Take(p.x);
        ys.Take(p.y);
      }
      series->replace(points);
      QPen pen(ToQColor(source.GetColor()));
      pen.setWidth(source.LineWidth());
      pen.setStyle(ToQPenStyle(source.LineStyle()));
      series->setPen(pen);
      series->setColor(ToQColor(source.GetColor()));
      if (auto* scatter = qobject_cast<QScatterSeries*>(series))
        scatter->setMarkerSize(5);
      chart->addSeries(series);
      series->attachAxis(bottom);
      if (source.Axis() == form::AxisSide::Right) {
        if (right == nullptr) {
          right = new QValueAxis;
          chart->addAxis(right, Qt::AlignRight);
        }
        series->attachAxis(right);
      } else {
        series->attachAxis(left);
      }
    }
    ApplyAxis(bottom, chart_.BottomAxis(), xs);
    ApplyAxis(left, chart_.LeftAxis(), leftYs);
    if (right != nullptr)
      ApplyAxis(right, chart_.RightAxis(), rightYs);
    chart->zoomReset();
  }

  form::Chart& chart_;
  QChartView* view_;
  bool pending_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> BindChart(form::Chart& control, QWidget* parent) {
  return std::make_unique<ChartBinding>(control, parent);
}

}  // namespace kelvra::qt
