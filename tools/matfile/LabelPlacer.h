// Places the labels of a scatter chart beside their points so that no label
// covers another label, a point or a leader line: a label that finds no free
// place is left out (the point's tooltip still names it).
#pragma once

#include <utility>
#include <vector>

struct Box {
  double left, top, right, bottom;

  bool overlaps(const Box& other) const;
  bool within(const Box& area) const;
  // Whether the segment from (x1, y1) to (x2, y2) touches the box.
  bool crossedBy(double x1, double y1, double x2, double y2) const;
};

struct LabelPlace {
  Box box;
  bool hasLeader;  // a label set off from its point, joined to it by a line
  double leaderX1, leaderY1, leaderX2, leaderY2;
};

class LabelPlacer {
 public:
  // Labels stay inside `area`.
  explicit LabelPlacer(const Box& area);

  // Something no label may cover: a point's marker.
  void addObstacle(const Box& box);

  // Tries the places beside the marker of `radius` at (x, y): right of it
  // first, then left, above, below and at its corners; or, `setOff`, the same
  // places farther off, joined to the point by a leader line. The first that
  // is inside the area and free, leader line included, is taken and blocks
  // later labels. Returns false when none is. Labels set off come best after
  // every label that can stand beside its point, so as not to take its place.
  bool place(double x, double y, double radius, double width, double height, bool setOff,
             LabelPlace& placed);

 private:
  struct Segment {
    double x1, y1, x2, y2;
  };

  struct Cell {
    std::vector<Box> boxes;
    std::vector<Segment> leaders;
  };

  static std::vector<std::pair<double, double>> besidePlaces(double x, double y, double radius,
                                                             double width, double height);
  static std::vector<std::pair<double, double>> setOffPlaces(double x, double y, double distance,
                                                             double width, double height);
  static Box reachOf(const Segment& leader);
  void addLeader(const Segment& leader);
  bool isFree(const Box& box) const;
  bool isFree(const Segment& leader) const;
  // The grid cells a box touches, for a look at only the boxes near it.
  void cellRange(const Box& box, int& firstColumn, int& lastColumn, int& firstRow,
                 int& lastRow) const;

  Box area_;
  int columns_;
  int rows_;
  std::vector<Cell> cells_;
};
