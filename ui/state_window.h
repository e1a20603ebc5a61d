// The window "State from two properties": a choice of pair, two values, and the states they
// give with every quantity; the history of the states computed since the program started.
// It shows what the driver computes (AnswerGiven, LinesOf, StateText) and computes nothing.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "driver/given_state.h"

namespace vapomet::ui {

// A state of the history: what was given, and the state.
struct HistoryEntry {
    QString given;  // "P = 5 MPa, h = 2800 kJ/kg", with "(2 of 3)" where a pair gave several
    State state;
};

class StateWindow : public QWidget {
    Q_OBJECT
  public:
    explicit StateWindow(const QLocale& locale);

    // Computes the states of the pair and texts now in the window, as Enter and "Compute" do.
    void compute();
    const std::vector<HistoryEntry>& history() const { return history_; }

    QComboBox* pairBox = nullptr;
    QLabel* firstLabel = nullptr;
    QLineEdit* firstBox = nullptr;
    QLabel* firstUnit = nullptr;
    QLabel* firstMessage = nullptr;
    QLabel* secondLabel = nullptr;
    QLineEdit* secondBox = nullptr;
    QLabel* secondUnit = nullptr;
    QLabel* secondMessage = nullptr;
    QPushButton* computeButton = nullptr;
    QTableWidget* results = nullptr;
    QListWidget* historyList = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* copyAllButton = nullptr;

  signals:
    void historyChanged();

  private:
    void pairChosen();
    void clearResults();
    void showStates(const std::vector<const HistoryEntry*>& entries);
    void showSelected();
    void removeSelected();
    // The text of the states on show ("Copy") or of the whole history ("Copy all").
    QString shownText() const;
    QString historyText() const;

    QLocale locale_;
    std::vector<GivenPair> pairs_;
    std::vector<HistoryEntry> history_;
    std::vector<std::size_t> shown_;  // the history entries the table shows
};

}  // namespace vapomet::ui
