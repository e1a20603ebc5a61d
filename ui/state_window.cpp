#include "ui/state_window.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "driver/state_table.h"
#include "ui/controls.h"
#include "ui/preference_menus.h"

namespace vapomet::ui {

namespace {

// A refusal is said in this colour beside the box to correct.
const QColor kMessageColour(160, 0, 0);

QLabel* MessageLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kMessageColour);
    label->setPalette(palette);
    return label;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment, const QString& spoken) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(alignment | Qt::AlignVCenter);
    item->setData(Qt::AccessibleTextRole, spoken);
    return item;
}

}  // namespace

StateWindow::StateWindow(StateHistory& history, PreferenceStore& preferences, const QLocale& locale)
    : QWidget(nullptr, Qt::Window),
      locale_(locale),
      pairs_(GivenPairs()),
      history_(history),
      preferences_(preferences) {
    setObjectName(QStringLiteral("frmState"));
    setWindowTitle(QStringLiteral("State from two properties"));
    setFont(Verdana());

    pairBox = new QComboBox(this);
    pairBox->setObjectName(QStringLiteral("pairBox"));
    for (const GivenPair& pair : pairs_) pairBox->addItem(PairInWords(pair));
    pairBox->setAccessibleName(QStringLiteral("Given pair"));
    auto* pairLabel = new QLabel(QStringLiteral("&Given:"), this);
    pairLabel->setBuddy(pairBox);

    const auto input = [this](const QString& name, QLabel*& label, QLineEdit*& box, QLabel*& unit,
                              QLabel*& message) {
        label = new QLabel(this);
        // Ctrl+C without a selection in a box copies the states on show.
        box = new InputBox(QString(), this, Verdana());
        box->setObjectName(name + QStringLiteral("Box"));
        label->setBuddy(box);
        unit = new QLabel(this);
        message = MessageLabel(this, name + QStringLiteral("Message"));
        connect(box, &QLineEdit::returnPressed, this, &StateWindow::compute);
    };
    input(QStringLiteral("first"), firstLabel, firstBox, firstUnit, firstMessage);
    input(QStringLiteral("second"), secondLabel, secondBox, secondUnit, secondMessage);
    computeButton = new QPushButton(QStringLiteral("&Compute"), this);
    computeButton->setObjectName(QStringLiteral("computeButton"));
    connect(computeButton, &QPushButton::clicked, this, &StateWindow::compute);
    metastableBox = new QCheckBox(QStringLiteral("&Metastable vapour"), this);
    metastableBox->setObjectName(QStringLiteral("metastableBox"));
    metastableBox->setToolTip(
        QStringLiteral("Vapour below its saturation temperature, by the supplementary equation "
                       "of IAPWS-IF97 (to the 5 % moisture line, up to 10 MPa)"));

    auto* inputs = new QGridLayout;
    inputs->addWidget(pairLabel, 0, 0);
    inputs->addWidget(pairBox, 0, 1, 1, 3);
    inputs->addWidget(firstLabel, 1, 0);
    inputs->addWidget(firstBox, 1, 1);
    inputs->addWidget(firstUnit, 1, 2);
    inputs->addWidget(firstMessage, 1, 3);
    inputs->addWidget(secondLabel, 2, 0);
    inputs->addWidget(secondBox, 2, 1);
    inputs->addWidget(secondUnit, 2, 2);
    inputs->addWidget(secondMessage, 2, 3);
    inputs->addWidget(computeButton, 3, 1, Qt::AlignLeft);
    inputs->addWidget(metastableBox, 3, 2, 1, 2, Qt::AlignLeft);
    inputs->setColumnStretch(3, 1);

    results = new QTableWidget(this);
    results->setObjectName(QStringLiteral("results"));
    results->setAccessibleName(QStringLiteral("States found"));
    results->verticalHeader()->hide();
    results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results->setWordWrap(false);
    results->verticalHeader()->setDefaultSectionSize(results->fontMetrics().height() + 6);

    historyList = new QListWidget(this);
    historyList->setObjectName(QStringLiteral("historyList"));
    historyList->setAccessibleName(QStringLiteral("States computed"));
    historyList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(historyList, &QListWidget::itemSelectionChanged, this, &StateWindow::showSelected);
    removeButton = new QPushButton(QStringLiteral("&Remove"), this);
    removeButton->setObjectName(QStringLiteral("removeButton"));
    copyButton = new QPushButton(QStringLiteral("C&opy"), this);
    copyButton->setObjectName(QStringLiteral("copyButton"));
    copyAllButton = new QPushButton(QStringLiteral("Copy &all"), this);
    copyAllButton->setObjectName(QStringLiteral("copyAllButton"));
    diagramButton = new QPushButton(QStringLiteral("Show on &diagram"), this);
    diagramButton->setObjectName(QStringLiteral("diagramButton"));
    connect(diagramButton, &QPushButton::clicked, this, [this] { emit diagramAsked(shown_); });
    connect(removeButton, &QPushButton::clicked, this, &StateWindow::removeSelected);
    connect(copyButton, &QPushButton::clicked, this, [this] { PutOnClipboard(shownText()); });
    connect(copyAllButton, &QPushButton::clicked, this, [this] { PutOnClipboard(historyText()); });

    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, copyButton, &QPushButton::click);
    addAction(copy);
    auto* remove = new QAction(historyList);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    connect(remove, &QAction::triggered, this, &StateWindow::removeSelected);
    historyList->addAction(remove);

    auto* historyBox = new QGroupBox(QStringLiteral("History"), this);
    auto* historyLayout = new QVBoxLayout(historyBox);
    historyLayout->addWidget(historyList);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(removeButton);
    buttons->addWidget(copyButton);
    buttons->addWidget(copyAllButton);
    historyLayout->addLayout(buttons);
    historyLayout->addWidget(diagramButton);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(results);
    splitter->addWidget(historyBox);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);

    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    AddUnitsMenu(bar, preferences_);
    AddTransportMenu(bar, preferences_);
    // Other units or another release: the boxes' units and the states on show follow.
    connect(&preferences_, &PreferenceStore::changed, this, [this] {
        labelBoxes();
        showSelected();
    });

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    layout->addLayout(inputs);
    layout->addWidget(splitter, 1);

    connect(&history_, &StateHistory::changed, this, &StateWindow::historyChanged);
    historyChanged(0);
    connect(pairBox, &QComboBox::currentIndexChanged, this, &StateWindow::pairChosen);
    pairChosen();
    resize(900, 520);
    firstBox->setFocus();
}

ShownAs StateWindow::shownAs() const {
    return {preferences_.units(), preferences_.value().transport};
}

void StateWindow::labelBoxes() {
    const GivenPair& pair = pairs_.at(static_cast<std::size_t>(pairBox->currentIndex()));
    const auto label = [](Variable variable) {
        return VariableName(variable) + QStringLiteral(", ") +
               QString::fromLatin1(NameOf(variable));
    };
    const Units units = preferences_.units();
    firstLabel->setText(label(pair.a));
    secondLabel->setText(label(pair.b));
    firstUnit->setText(VariableUnit(pair.a, units));
    secondUnit->setText(VariableUnit(pair.b, units));
    const auto spoken = [&units](Variable variable) {
        const QString unit = VariableUnit(variable, units);
        return VariableName(variable) + (unit.isEmpty() ? QString() : QStringLiteral(", ") + unit);
    };
    firstBox->setAccessibleName(spoken(pair.a));
    secondBox->setAccessibleName(spoken(pair.b));
}

void StateWindow::pairChosen() {
    const GivenPair& pair = pairs_.at(static_cast<std::size_t>(pairBox->currentIndex()));
    labelBoxes();
    // Metastable vapour is given by its pressure and temperature.
    metastableBox->setEnabled(IsPressureAndTemperature(pair.a, pair.b));
    if (!metastableBox->isEnabled()) metastableBox->setChecked(false);
    // The states on show answered another pair.
    firstMessage->clear();
    secondMessage->clear();
    historyList->clearSelection();
    clearResults();
}

void StateWindow::clearResults() {
    shown_.clear();
    results->clear();
    results->setRowCount(0);
    results->setColumnCount(0);
}

void StateWindow::compute() {
    const GivenPair& pair = pairs_.at(static_cast<std::size_t>(pairBox->currentIndex()));
    const Units units = preferences_.units();
    const GivenAnswer answer = AnswerGiven(pair, firstBox->text(), secondBox->text(), locale_,
                                           units, metastableBox->isChecked());
    firstMessage->clear();
    secondMessage->clear();
    if (answer.refused) {
        clearResults();
        historyList->clearSelection();
        const bool first = *answer.refused == GivenBox::First;
        (first ? firstMessage : secondMessage)->setText(answer.message);
        QLineEdit* box = first ? firstBox : secondBox;
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        return;
    }
    const QString given = GivenInWords(answer, locale_, units);
    const std::size_t count = answer.states.size();
    std::vector<HistoryEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        const QString which =
            count > 1 ? QStringLiteral(" (%1 of %2)").arg(i + 1).arg(count) : QString();
        entries.push_back({given + which, answer.states[i]});
    }
    history_.add(std::move(entries));
}

// The list follows the history; states just added are selected and shown.
void StateWindow::historyChanged(std::size_t added) {
    const QSignalBlocker blocker(historyList);
    historyList->clear();
    for (const HistoryEntry& entry : history_.entries())
        historyList->addItem(entry.given + QStringLiteral(": ") + RegionInWords(entry.state));
    const int count = historyList->count();
    for (int row = count - static_cast<int>(added); row < count; ++row)
        historyList->item(row)->setSelected(true);
    if (added > 0) historyList->scrollToItem(historyList->item(count - 1));
    showSelected();
}

void StateWindow::showSelected() {
    std::vector<const HistoryEntry*> entries;
    shown_.clear();
    for (int row = 0; row < historyList->count(); ++row) {
        if (!historyList->item(row)->isSelected()) continue;
        shown_.push_back(static_cast<std::size_t>(row));
        entries.push_back(&history_.entries()[static_cast<std::size_t>(row)]);
    }
    showStates(entries);
}

void StateWindow::showStates(const std::vector<const HistoryEntry*>& entries) {
    results->clear();
    if (entries.empty()) {
        results->setRowCount(0);
        results->setColumnCount(0);
        return;
    }
    struct Column {
        QString header;
        std::vector<QString> values;
    };
    std::vector<Column> columns;
    std::vector<StateLine> names;
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::vector<StateLine> lines = LinesOf(entries[k]->state, locale_, shownAs());
        names = lines;
        const QString header =
            entries.size() > 1 ? QStringLiteral("State %1").arg(k + 1) : QStringLiteral("State");
        Column state{header, {}}, liquid{QStringLiteral("Saturated liquid"), {}},
            vapour{QStringLiteral("Saturated vapour"), {}};
        for (const StateLine& line : lines) {
            state.values.push_back(line.value);
            liquid.values.push_back(line.liquid);
            vapour.values.push_back(line.vapour);
        }
        columns.push_back(state);
        if (entries[k]->state.x) {
            columns.push_back(liquid);
            columns.push_back(vapour);
        }
    }
    const int rows = static_cast<int>(names.size());
    results->setRowCount(rows);
    results->setColumnCount(static_cast<int>(columns.size()) + 2);
    QStringList headers{QStringLiteral("Quantity")};
    for (const Column& column : columns) headers << column.header;
    headers << QStringLiteral("Unit");
    results->setHorizontalHeaderLabels(headers);
    for (int row = 0; row < rows; ++row) {
        const StateLine& line = names[static_cast<std::size_t>(row)];
        results->setItem(row, 0, Cell(line.name, Qt::AlignLeft, line.name));
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const QString& value = columns[c].values[static_cast<std::size_t>(row)];
            const bool text = row == 0;  // the region in words
            results->setItem(row, static_cast<int>(c) + 1,
                             Cell(value, text ? Qt::AlignLeft : Qt::AlignRight,
                                  columns[c].header + QStringLiteral(", ") + line.name +
                                      QStringLiteral(": ") + value + QLatin1Char(' ') + line.unit));
        }
        results->setItem(row, static_cast<int>(columns.size()) + 1,
                         Cell(line.unit, Qt::AlignLeft, line.unit));
    }
    results->resizeColumnsToContents();
}

void StateWindow::removeSelected() {
    if (!shown_.empty()) history_.remove(shown_);
}

QString StateWindow::shownText() const {
    QStringList texts;
    for (const std::size_t row : shown_) {
        const HistoryEntry& entry = history_.entries()[row];
        texts << StateText(entry.given, entry.state, locale_, shownAs());
    }
    return texts.join(QLatin1Char('\n'));
}

QString StateWindow::historyText() const {
    QStringList texts;
    for (const HistoryEntry& entry : history_.entries())
        texts << StateText(entry.given, entry.state, locale_, shownAs());
    return texts.join(QLatin1Char('\n'));
}

}  // namespace vapomet::ui
