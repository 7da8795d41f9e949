#include "LabelPlacer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kCellSize = 40;      // pixels; a label touches a few cells
constexpr double kGap = 2;            // pixels between a marker and a label beside it
constexpr double kRingStep = 18;      // pixels from one ring of places to the next
constexpr int kRings = 8;             // beside the point, then set off ever farther
constexpr double kLeaderClear = 0.5;  // pixels between a leader's ends and the boxes it joins

int clampedIndex(double offset, int count) {
  return std::clamp(static_cast<int>(std::floor(offset / kCellSize)), 0, count - 1);
}

// Liang and Barsky's clipping: narrows [t0, t1], the part of the segment
// inside one edge's half-plane; false when nothing is left.
bool clipEdge(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  double r = q / p;
  if (p < 0) {
    if (r > t1) return false;
    t0 = std::max(t0, r);
  } else {
    if (r < t0) return false;
    t1 = std::min(t1, r);
  }
  return true;
}

// Whether two segments cross or touch, by the sides on which each one's ends
// lie of the other.
double side(double ax, double ay, double bx, double by, double px, double py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

bool segmentsMeet(double ax, double ay, double bx, double by, double cx, double cy, double dx,
                  double dy) {
  double c = side(ax, ay, bx, by, cx, cy), d = side(ax, ay, bx, by, dx, dy);
  double a = side(cx, cy, dx, dy, ax, ay), b = side(cx, cy, dx, dy, bx, by);
  return ((c <= 0 && d >= 0) || (c >= 0 && d <= 0)) && ((a <= 0 && b >= 0) || (a >= 0 && b <= 0)) &&
         std::max(ax, bx) >= std::min(cx, dx) && std::max(cx, dx) >= std::min(ax, bx) &&
         std::max(ay, by) >= std::min(cy, dy) && std::max(cy, dy) >= std::min(ay, by);
}

}  // namespace

double Box::distanceTo(double x, double y) const {
  double dx = std::max({left - x, 0.0, x - right});
  double dy = std::max({top - y, 0.0, y - bottom});
  return std::hypot(dx, dy);
}

bool Box::overlaps(const Box& other) const {
  return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
}

bool Box::within(const Box& area) const {
  return left >= area.left && right <= area.right && top >= area.top && bottom <= area.bottom;
}

bool Box::crossedBy(double x1, double y1, double x2, double y2) const {
  double t0 = 0, t1 = 1;
  double dx = x2 - x1, dy = y2 - y1;
  return clipEdge(-dx, x1 - left, t0, t1) && clipEdge(dx, right - x1, t0, t1) &&
         clipEdge(-dy, y1 - top, t0, t1) && clipEdge(dy, bottom - y1, t0, t1);
}

LabelPlacer::LabelPlacer(const Box& area)
    : area_(area),
      columns_(std::max(1, static_cast<int>(std::ceil((area.right - area.left) / kCellSize)))),
      rows_(std::max(1, static_cast<int>(std::ceil((area.bottom - area.top) / kCellSize)))),
      cells_(static_cast<std::size_t>(columns_ * rows_)) {}

void LabelPlacer::cellRange(const Box& box, int& firstColumn, int& lastColumn, int& firstRow,
                            int& lastRow) const {
  firstColumn = clampedIndex(box.left - area_.left, columns_);
  lastColumn = clampedIndex(box.right - area_.left, columns_);
  firstRow = clampedIndex(box.top - area_.top, rows_);
  lastRow = clampedIndex(box.bottom - area_.top, rows_);
}

void LabelPlacer::addObstacle(const Box& box) {
  int firstColumn, lastColumn, firstRow, lastRow;
  cellRange(box, firstColumn, lastColumn, firstRow, lastRow);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      cells_[static_cast<std::size_t>(row * columns_ + column)].boxes.push_back(box);
    }
  }
}

void LabelPlacer::addPoint(double x, double y, double radius, int group) {
  double reach = radius + 1;
  addObstacle({x - reach, y - reach, x + reach, y + reach});
  int column = clampedIndex(x - area_.left, columns_), row = clampedIndex(y - area_.top, rows_);
  cells_[static_cast<std::size_t>(row * columns_ + column)].points.push_back({x, y, group});
  if (static_cast<std::size_t>(group) >= groups_.size()) {
    groups_.resize(static_cast<std::size_t>(group) + 1);
  }
  groups_[static_cast<std::size_t>(group)].push_back({x, y, group});
}

Box LabelPlacer::reachOf(const Segment& leader) {
  return {std::min(leader.x1, leader.x2), std::min(leader.y1, leader.y2),
          std::max(leader.x1, leader.x2), std::max(leader.y1, leader.y2)};
}

void LabelPlacer::addLeader(const Segment& leader) {
  int firstColumn, lastColumn, firstRow, lastRow;
  cellRange(reachOf(leader), firstColumn, lastColumn, firstRow, lastRow);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      cells_[static_cast<std::size_t>(row * columns_ + column)].leaders.push_back(leader);
    }
  }
}

bool LabelPlacer::isFree(const Box& box) const {
  int firstColumn, lastColumn, firstRow, lastRow;
  cellRange(box, firstColumn, lastColumn, firstRow, lastRow);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const Cell& cell = cells_[static_cast<std::size_t>(row * columns_ + column)];
      for (const Box& taken : cell.boxes) {
        if (taken.overlaps(box)) return false;
      }
      for (const Segment& leader : cell.leaders) {
        if (box.crossedBy(leader.x1, leader.y1, leader.x2, leader.y2)) return false;
      }
    }
  }
  return true;
}

bool LabelPlacer::isFree(const Segment& leader) const {
  int firstColumn, lastColumn, firstRow, lastRow;
  cellRange(reachOf(leader), firstColumn, lastColumn, firstRow, lastRow);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const Cell& cell = cells_[static_cast<std::size_t>(row * columns_ + column)];
      for (const Box& taken : cell.boxes) {
        if (taken.crossedBy(leader.x1, leader.y1, leader.x2, leader.y2)) return false;
      }
      // Crossed leaders could be followed to the wrong label.
      for (const Segment& other : cell.leaders) {
        if (segmentsMeet(leader.x1, leader.y1, leader.x2, leader.y2, other.x1, other.y1, other.x2,
                         other.y2)) {
          return false;
        }
      }
    }
  }
  return true;
}

// Points are kept in the cell of their centre: the cells within reach of the
// box hold every point that could be too near it.
bool LabelPlacer::isNearest(int group, const Box& box, double margin) const {
  if (group < 0 || static_cast<std::size_t>(group) >= groups_.size()) return true;
  double own = std::numeric_limits<double>::infinity();
  for (const Point& point : groups_[static_cast<std::size_t>(group)]) {
    own = std::min(own, box.distanceTo(point.x, point.y));
  }
  double allowed = own + margin;
  Box reach{box.left - allowed, box.top - allowed, box.right + allowed, box.bottom + allowed};
  int firstColumn, lastColumn, firstRow, lastRow;
  cellRange(reach, firstColumn, lastColumn, firstRow, lastRow);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      for (const Point& point : cells_[static_cast<std::size_t>(row * columns_ + column)].points) {
        if (point.group == group) continue;
        if (box.distanceTo(point.x, point.y) < allowed) return false;
      }
    }
  }
  return true;
}

// Left and top edge of the places beside a point, in the order tried.
std::vector<std::pair<double, double>> LabelPlacer::besidePlaces(double x, double y, double radius,
                                                                 double width, double height) {
  double near = radius + kGap;
  double shift = radius / 2;  // of a label above or below, off the centre
  return {
      {x + near, y - height / 2},
      {x - near - width, y - height / 2},
      {x - width / 2, y - near - height},
      {x - width / 2, y + near},
      {x + shift, y - near - height},
      {x + shift, y + near},
      {x - shift - width, y - near - height},
      {x - shift - width, y + near},
  };
}

// Around the point at `distance`, in sixteen directions: the label's edge or
// corner nearest the point at that distance.
std::vector<std::pair<double, double>> LabelPlacer::setOffPlaces(double x, double y,
                                                                 double distance, double width,
                                                                 double height) {
  static const int kSixteenths[] = {0, 8, 12, 4, 14, 2, 10, 6, 15, 1, 9, 7, 13, 11, 3, 5};
  constexpr double kSideways = 0.38;  // beyond this sine or cosine, the label is off to that side
  std::vector<std::pair<double, double>> places;
  for (int sixteenth : kSixteenths) {
    double angle = sixteenth * std::acos(-1.0) / 8;
    double cosine = std::cos(angle), sine = std::sin(angle);
    double px = x + distance * cosine, py = y + distance * sine;
    double left = cosine > kSideways ? px : cosine < -kSideways ? px - width : px - width / 2;
    double top = sine > kSideways ? py : sine < -kSideways ? py - height : py - height / 2;
    places.push_back({left, top});
  }
  return places;
}

bool LabelPlacer::place(double x, double y, double radius, int group, double width, double height,
                        bool setOff, LabelPlace& placed) {
  for (int ring = setOff ? 1 : 0; ring < (setOff ? kRings : 1); ++ring) {
    std::vector<std::pair<double, double>> places =
        ring == 0 ? besidePlaces(x, y, radius, width, height)
                  : setOffPlaces(x, y, radius + kGap + ring * kRingStep, width, height);
    for (const auto& [left, top] : places) {
      Box box{left, top, left + width, top + height};
      if (!box.within(area_) || !isFree(box) ||
          !isNearest(group, box, ring == 0 ? kNearMargin : kLedNearMargin)) {
        continue;
      }
      Segment leader{};
      if (ring > 0) {
        // From just outside the marker's square to just short of the label.
        double endX = std::clamp(x, box.left, box.right);
        double endY = std::clamp(y, box.top, box.bottom);
        double length = std::hypot(endX - x, endY - y);
        double start = (radius + 1) * std::sqrt(2.0) + kLeaderClear;
        double end = length - kLeaderClear;
        leader = {x + (endX - x) * start / length, y + (endY - y) * start / length,
                  x + (endX - x) * end / length, y + (endY - y) * end / length};
        if (!isFree(leader)) continue;
        addLeader(leader);
      }
      addObstacle(box);
      placed = {box, ring > 0, leader.x1, leader.y1, leader.x2, leader.y2};
      return true;
    }
  }
  return false;
}
