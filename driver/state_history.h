// The states computed since the program started: what the state window computed and the points
// clicked on a diagram. Windows show it and add to it; it tells them when it changes.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "property/state.h"

namespace vapomet {

struct HistoryEntry {
    QString given;  // "P = 5 MPa, h = 2800 kJ/kg", with " (2 of 3)" where a pair gave several
    State state;
};

class StateHistory : public QObject {
    Q_OBJECT
  public:
    const std::vector<HistoryEntry>& entries() const { return entries_; }
    void add(std::vector<HistoryEntry> entries);
    // Removes the entries at these indices (any order).
    void remove(std::vector<std::size_t> indices);

  signals:
    // Entries were added at the end (`added` of them) or removed.
    void changed(std::size_t added);

  private:
    std::vector<HistoryEntry> entries_;
};

}  // namespace vapomet
