// TScoreGraph: a game's scores move by move, drawn under the move list. One
// point per move, White's advantage up and Black's down, cut at a limit (a
// score beyond it, a win among them, stands at the edge); the area between
// the line and the middle is light where White is ahead and dark red where
// Black is; marked moves get a dot of their mark's colour and the current
// move a line across. A click goes to the move under the pointer.
#pragma once

#include <functional>
#include <vector>

#include "framework/Geometry.h"

class QWidget;
class TMoveListPanel;

class TScoreGraph {
 public:
  // One move's point: its score from White's view and its mark (0 none,
  // 1 inaccuracy, 2 mistake, 3 blunder).
  struct TValue {
    int Score = 0;
    int Mark = 0;
  };

  // Placed under the panel's list (or on its own, for tests, when null);
  // hidden until it has a point. `limit`: the score at the edges.
  explicit TScoreGraph(TMoveListPanel* panel, int limit);
  ~TScoreGraph();
  TScoreGraph(const TScoreGraph&) = delete;
  TScoreGraph& operator=(const TScoreGraph&) = delete;

  // The points of the first moves of a game of `moves` moves (the width is
  // shared among all of them); none hides the graph.
  void SetValues(std::vector<TValue> values, int moves);
  // The move shown on the board (0: the start, before any).
  void SetCurrent(int move);
  // Called with the move (from 1) the user clicked.
  void SetClickHandler(std::function<void(int move)> handler);

  bool IsVisible() const;
  // Where the point of move `move` with `score` lies, in the graph's own
  // logical pixels, and the move a click at `x` goes to (0: none).
  TPoint PointOf(int move, int score) const;
  int MoveAt(int x) const;
  TSize Size() const;
  // A click as the mouse would give it.
  void Click(TPoint point);
  QWidget* GetHandle() const;

 private:
  friend class TScoreGraphWidget;
  TRect Plot() const;

  class TScoreGraphWidget* widget_;
  int limit_;
  std::vector<TValue> values_;
  int moves_ = 0;
  int current_ = 0;
  std::function<void(int)> onClick_;
};
