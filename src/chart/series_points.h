#pragma once
// The points of one chart series, in the very container the plot draws from, so a shown
// series is drawn without a copy and a hidden one costs its points and nothing more.
//
// x stays ascending (a point earlier than others is inserted in order, after points of the
// same x). At most Limit() points are kept: beyond it the oldest, those of smallest x, go.
// The storage never grows past Limit() plus a slack of about 1.5 %, which lets the oldest
// be dropped at no cost for a while before the rest is moved back in one go.

#include <qcustomplot.h>

#include <span>

class SeriesPoints : public QCPGraphDataContainer {
  public:
    // 2^20: twelve days at one sample a second, so a week-long run is kept whole at full
    // resolution, and so is a loaded file of a million lines. At the limit the seven series
    // hold 7 x 16 bytes per sample, about 120 MB.
    static constexpr int kDefaultLimit = 1 << 20;

    explicit SeriesPoints(int limit = kDefaultLimit);

    int Limit() const { return limit_; }
    // Points the storage has room for; never more than Limit() plus the slack.
    qsizetype Capacity() const { return mData.capacity(); }
    qsizetype MaxCapacity() const { return qsizetype{limit_} + slack_; }

    // Returns the new point's index, or -1 when it is not kept: x not finite, or the series
    // full and x older than every point in it.
    int Add(double x, double y);
    // A batch, ascending in x as a loaded file gives it (any other order is sorted first);
    // pairs beyond the shorter span and pairs whose x is not finite are left out.
    void AddBatch(std::span<const double> xs, std::span<const double> ys);
    // Empties the series and gives its storage back.
    void Clear();

    QCPGraphData Point(int index) const { return *at(index); }
    // The smallest and largest x; `found` false when empty.
    QCPRange KeyRange(bool& found) const;
    // The smallest and largest finite y, kept up to date as points come and go, so that an
    // automatic axis does not scan every point at every redraw.
    QCPRange ValueRange(bool& found) const;

  private:
    void MakeRoomForOne();
    void Compact();
    void DropOldest();
    void NoteValue(double y) const;

    int limit_;
    int slack_;
    mutable bool valueRangeKnown_ = true;
    mutable bool anyValue_ = false;
    mutable QCPRange valueRange_;
};
