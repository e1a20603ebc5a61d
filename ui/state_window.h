// The window "State from two properties": a choice of pair, two values, and the states they
// give with every quantity; the history of the states computed since the program started.
// Values are typed and shown in the units chosen in its Units menu, transport after the release
// of its Transport menu; at a pressure and a temperature it gives metastable vapour on request.
// It shows what the driver computes (AnswerGiven, LinesOf, StateText) and computes nothing.
#pragma once

#include <QCheckBox>
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
#include "driver/preferences.h"
#include "driver/state_history.h"

namespace vapomet::ui {

class StateWindow : public QWidget {
    Q_OBJECT
  public:
    StateWindow(StateHistory& history, PreferenceStore& preferences, const QLocale& locale);

    // Computes the states of the pair and texts now in the window, as Enter and "Compute" do.
    void compute();
    const std::vector<HistoryEntry>& history() const { return history_.entries(); }

    QComboBox* pairBox = nullptr;
    QLabel* firstLabel = nullptr;
    QLineEdit* firstBox = nullptr;
    QLabel* firstUnit = nullptr;
    QLabel* firstMessage = nullptr;
    QLabel* secondLabel = nullptr;
    QLineEdit* secondBox = nullptr;
    QLabel* secondUnit = nullptr;
    QLabel* secondMessage = nullptr;
    QCheckBox* metastableBox = nullptr;
    QPushButton* computeButton = nullptr;
    QTableWidget* results = nullptr;
    QListWidget* historyList = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* copyButton = nullptr;
    QPushButton* copyAllButton = nullptr;
    QPushButton* diagramButton = nullptr;

  signals:
    // "Show on diagram": the diagram is to show these states of the history.
    void diagramAsked(std::vector<std::size_t> entries);

  private:
    void pairChosen();
    void labelBoxes();
    ShownAs shownAs() const;
    void clearResults();
    void showStates(const std::vector<const HistoryEntry*>& entries);
    void showSelected();
    void removeSelected();
    void historyChanged(std::size_t added);
    // The text of the states on show ("Copy") or of the whole history ("Copy all").
    QString shownText() const;
    QString historyText() const;

    QLocale locale_;
    std::vector<GivenPair> pairs_;
    StateHistory& history_;
    PreferenceStore& preferences_;
    std::vector<std::size_t> shown_;  // the history entries the table shows
};

}  // namespace vapomet::ui
