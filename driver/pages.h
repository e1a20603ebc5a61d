// The three result pages as the calculation writes them: page 1 (saturation at T, on the main
// window), page 2 (saturation at P) and page 3 (the single-phase state at P and T). Each page is
// an indexed array of text slots. The windows show these texts; they never compute them.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>
#include <stdexcept>
#include <vector>

#include "driver/quantities.h"

namespace vapomet {

// The inputs a session starts with: page 1's boxes show these texts, and a fresh page 3 shows
// their values with three decimals in its P and T slots.
struct DefaultInput {
    const char* text;
    double value;
};
inline constexpr DefaultInput kDefaultPressure{"5.", 5.0};
inline constexpr DefaultInput kDefaultTemperature{"500.", 500.0};

// Page 3's region slot and its text before any calculation.
inline int RegionSlot() {
    return SlotOf(QuantityId::Region, 3, Phase::None);
}
inline const QString kRegionPlaceholder = QStringLiteral("Region :");
inline const QString kNaN = QStringLiteral("NaN");

// Told about every change of a page's texts, so that a window can show it. A window that is not
// loaded when its page is written loads itself, hidden, and then shows the page's texts.
class PageViewer {
  public:
    virtual ~PageViewer() = default;
    virtual void slotWritten(int page, int index) = 0;
    // The calculation's one argument-less call on page 3 in the above-saturation branch.
    virtual void pageRefreshed(int page) = 0;
    // The page's note (see ResultPages::note) has changed.
    virtual void noteWritten(int /*page*/) {}
};

// The note a page carries while its state lies where the pages use the region-1 or region-2
// equations beyond their range.
extern const QString kBeyondRangeNote;

// A slot text that cannot be read back as a number.
class SlotReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ResultPages {
  public:
    // All slots start with their initial texts; numbers use the given regional settings.
    explicit ResultPages(const QLocale& locale = QLocale::system());

    const QLocale& locale() const { return locale_; }
    const QString& text(int page, int index) const;
    QStringList texts(int page) const;

    // Formats the value with the given decimals in the regional convention; a value that
    // rounds to zero shows without a minus sign.
    void writeNumber(int page, int index, double value, int decimals);
    void writeText(int page, int index, const QString& text);
    // Reads a shown number back (digit grouping accepted); throws SlotReadError.
    double readNumber(int page, int index) const;
    void refresh(int page);

    // Back to the texts a freshly loaded window shows ("NaN"; on page 3 "Region :" and the
    // default inputs 5.000 and 500.000). Used when a page window is unloaded. Tells no viewer.
    void reset(int page);

    // What a page says about its state beyond the numbers (kBeyondRangeNote or nothing).
    const QString& note(int page) const;
    void writeNote(int page, const QString& note);

    // The input P and T of the press that last wrote the page, as the page shows numbers; empty
    // for a page no press has written since it was loaded.
    struct Inputs {
        QString pressure, temperature;
    };
    const Inputs& inputs(int page) const;
    void writeInputs(int page, double P, double T);

    void setViewer(PageViewer* viewer) { viewer_ = viewer; }
    QString formatNumber(double value, int decimals) const;

    // One press's writing of the pages. A value is formatted with the decimals of its slot's
    // quantity; the slots written are noted, so that a run that ends early can leave "NaN" in
    // every slot it did not reach (page 3's region slot its placeholder), and no page shows a
    // number of an earlier press beside the new input.
    class Run {
      public:
        explicit Run(ResultPages& pages);
        void number(int page, int slot, double value);
        void text(int page, int slot, const QString& text);
        // A number this run has shown, read back from its text.
        double read(int page, int slot) const { return pages_.readNumber(page, slot); }
        void note(int page, bool beyondRange);
        void inputs(double P, double T);  // the press's P and T, on every page
        void fillNaN();                   // pages 1 and 2, all "NaN"
        void refresh(int page) { pages_.refresh(page); }
        void markUnwritten();

      private:
        ResultPages& pages_;
        std::array<std::vector<bool>, kPageCount> written_;
    };

  private:
    QString& slot(int page, int index);
    QLocale locale_;
    std::array<QStringList, kPageCount> pages_;
    std::array<QString, kPageCount> notes_;
    std::array<Inputs, kPageCount> inputs_;
    PageViewer* viewer_ = nullptr;
};

// A page as plain text for the clipboard, ready to paste into a spreadsheet: its title and
// subject, the press's P and T, then a line per slot in reading order, each with the slot's
// caption, its text as shown and the quantity's unit, separated by tabs; last, the page's note
// where it has one ("Note", the note, an empty unit).
QString PageText(const ResultPages& pages, int page);
// The three pages, one after the other with an empty line between them.
QString AllPagesText(const ResultPages& pages);

}  // namespace vapomet
