#include "chart/column_graph.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A column's bar in pixels.
struct Bar {
    double x;
    double top;
    double bottom;
};

// QCPAxis::coordToPixel for a linear axis, with the axis read once and a multiplication
// for its division: the same pixels but for a rounding error.
class Pixels {
  public:
    explicit Pixels(const QCPAxis& axis)
        : axis_(axis),
          linear_(axis.scaleType() == QCPAxis::stLinear && !axis.rangeReversed()),
          lower_(axis.range().lower),
          horizontal_(axis.orientation() == Qt::Horizontal),
          scale_((horizontal_ ? axis.axisRect()->width() : axis.axisRect()->height()) /
                 axis.range().size()),
          origin_(horizontal_ ? axis.axisRect()->left() : axis.axisRect()->bottom()) {}

    double operator()(double value) const {
        if (!linear_) {
            return axis_.coordToPixel(value);
        }
        const double along = (value - lower_) * scale_;
        return horizontal_ ? along + origin_ : origin_ - along;
    }

  private:
    const QCPAxis& axis_;
    bool linear_;
    double lower_;
    bool horizontal_;
    double scale_;
    double origin_;
};

void Cover(Bar& bar, double y) {
    if (!std::isnan(y)) {
        bar.top = std::min(bar.top, y);
        bar.bottom = std::max(bar.bottom, y);
    }
}

}  // namespace

ColumnGraph::ColumnGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

void ColumnGraph::Show(DrawnSeries drawn) {
    drawn_ = std::move(drawn);
    // The points before, in and after the range, for QCPGraph to draw as a line.
    QVector<QCPGraphData> data;
    if (!drawn_.InColumns()) {
        data.reserve(static_cast<qsizetype>(drawn_.points.size()) + 2);
        if (drawn_.before) {
            data.append(QCPGraphData(drawn_.before->key, drawn_.before->value));
        }
        for (const SeriesPoint& p : drawn_.points) {
            data.append(QCPGraphData(p.key, p.value));
        }
        if (drawn_.after) {
            data.append(QCPGraphData(drawn_.after->key, drawn_.after->value));
        }
    }
    this->data()->set(data, true);
}

void ColumnGraph::draw(QCPPainter* painter) {
    if (drawn_.InColumns() && keyAxis() && valueAxis()) {
        DrawColumns(painter);
    } else {
        QCPGraph::draw(painter);
    }
}

void ColumnGraph::DrawColumns(QCPPainter* painter) const {
    const Pixels keys(*keyAxis());
    const Pixels values(*valueAxis());
    const auto at = [&](const SeriesPoint& p) { return QPointF(keys(p.key), values(p.value)); };
    const std::vector<ColumnSpan>& spans = drawn_.columns;
    std::vector<Bar> bars;
    bars.reserve(spans.size());
    std::vector<QLineF> lines;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const ColumnSpan& span = spans[i];
        Bar bar{keys(drawn_.lower + span.column * drawn_.columnWidth), INFINITY, -INFINITY};
        if (!span.values.Empty()) {
            Cover(bar, values(span.values.upper));
            Cover(bar, values(span.values.lower));
        }
        // Neighbours meet halfway; a line runs across columns without points.
        if (i > 0 && spans[i - 1].column + 1 == span.column) {
            const double meet = (values(spans[i - 1].last.value) + values(span.first.value)) / 2;
            Cover(bars.back(), meet);
            Cover(bar, meet);
        } else if (i > 0) {
            lines.emplace_back(at(spans[i - 1].last), at(span.first));
        }
        bars.push_back(bar);
    }
    if (drawn_.before && !spans.empty()) {
        lines.emplace_back(at(*drawn_.before), at(spans.front().first));
    }
    if (drawn_.after && !spans.empty()) {
        lines.emplace_back(at(spans.back().last), at(*drawn_.after));
    }

    // Bars cover the pixels a line of this pen covers: a thin line the pixel its points
    // round to, a wide one half its width either side.
    QPen pen = this->pen();
    const bool thin = pen.widthF() <= 1.0;
    const double width = thin ? 1.0 : pen.widthF();
    const double rise = thin ? 0.0 : width / 2;
    // Whole pixels, rounded as a fill rounds them, all drawn in one call.
    std::vector<QRect> rects;
    rects.reserve(bars.size());
    for (const Bar& bar : bars) {
        if (bar.top <= bar.bottom) {
            const int left = qRound(bar.x - width / 2);
            const int top = qRound(bar.top - rise);
            rects.emplace_back(left, top, qRound(bar.x + width / 2) - left,
                               qRound(bar.bottom + rise + (thin ? 1 : 0)) - top);
        }
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(pen.color());
    painter->drawRects(rects.data(), static_cast<int>(rects.size()));
    painter->setBrush(Qt::NoBrush);
    if (thin) {
        pen.setWidth(0);
    }
    painter->setPen(pen);
    for (const QLineF& line : lines) {
        if (!std::isnan(line.y1()) && !std::isnan(line.y2())) {
            painter->drawLine(line);
        }
    }
}
