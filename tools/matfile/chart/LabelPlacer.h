// Places the labels of a scatter chart beside their points so that no label
// covers another label, a point or a leader line, and none stands nearer to
// another point than to its own, where a reader would take it for that one's.
// A label that finds no such place is refused; the chart then tries a shorter
// one (a number).
#pragma once

#include <utility>
#include <vector>

struct Box {
  double left, top, right, bottom;

  bool overlaps(const Box& other) const;
  bool within(const Box& area) const;
  // Whether the segment from (x1, y1) to (x2, y2) touches the box.
  bool crossedBy(double x1, double y1, double x2, double y2) const;
  // From (x, y) to the nearest point of the box; 0 inside it.
  double distanceTo(double x, double y) const;
};

struct LabelPlace {
  Box box;
  bool hasLeader;  // a label set off from its point, joined to it by a line
  double leaderX1, leaderY1, leaderX2, leaderY2;
};

class LabelPlacer {
 public:
  // Pixels by which any other point must be farther from a label than its
  // own point is: beside the point, enough for the eye to tell which is
  // nearer; set off, where the leader line tells, a little.
  static constexpr double kNearMargin = 4;
  static constexpr double kLedNearMargin = 1;

  // Labels stay inside `area`.
  explicit LabelPlacer(const Box& area);

  // Something no label may cover.
  void addObstacle(const Box& box);

  // A marker of `radius` at (x, y), one of the group numbered `group` (0 on)
  // that shares a label: an obstacle, and a point that the labels of other
  // groups must keep clearly farther from than from their own.
  void addPoint(double x, double y, double radius, int group);

  // Tries the places beside the circle of `radius` at (x, y) around the
  // markers of `group`: right of it first, then left, above, below and at its
  // corners; or, `setOff`, the same places farther off, joined to (x, y) by a
  // leader line. The first that is inside the area and free, leader line
  // included, and that no point of another group comes within kNearMargin
  // (kLedNearMargin, set off) of the distance from the label to the group's
  // nearest point, is taken and blocks later labels. Returns false when none
  // is. Labels set off come best after every label that can stand beside its
  // point, so as not to take its place.
  bool place(double x, double y, double radius, int group, double width, double height, bool setOff,
             LabelPlace& placed);

 private:
  struct Segment {
    double x1, y1, x2, y2;
  };

  struct Point {
    double x, y;
    int group;
  };

  struct Cell {
    std::vector<Box> boxes;
    std::vector<Segment> leaders;
    std::vector<Point> points;
  };

  static std::vector<std::pair<double, double>> besidePlaces(double x, double y, double radius,
                                                             double width, double height);
  static std::vector<std::pair<double, double>> setOffPlaces(double x, double y, double distance,
                                                             double width, double height);
  static Box reachOf(const Segment& leader);
  void addLeader(const Segment& leader);
  bool isFree(const Box& box) const;
  bool isFree(const Segment& leader) const;
  bool isNearest(int group, const Box& box, double margin) const;
  // The grid cells a box touches, for a look at only the boxes near it.
  void cellRange(const Box& box, int& firstColumn, int& lastColumn, int& firstRow,
                 int& lastRow) const;

  Box area_;
  int columns_;
  int rows_;
  std::vector<Cell> cells_;
  std::vector<std::vector<Point>> groups_;
};
