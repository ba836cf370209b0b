#pragma once
#include <QHash>
#include <QString>
#include <QWidget>
#include <array>
#include <initializer_list>

#include "lagna/page_fields.h"

class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;
class QTextEdit;

namespace corvane {

// Which of the two interpretation windows: the first holds the pages of lagna entries 0 to 5
// (AL, BL, HL, GL, SrL, IL), the second those of 6 to 12 (PL, UL, PpL, VL, CL, SL, Ascendant).
enum class LagnaFormKind { kOne, kTwo };

LagnaFormKind FormKindForLagna(int lagnaIndex);

// A top-level window with one page per lagna entry, stacked so that one is in front.
// It computes nothing: fill() shows the texts that the interpretation step prepared.
// Its title names the page's lagna and the person; Esc, Ctrl+W and the Close button at the
// bottom right close it. It opens at its designed size (or the size and place kept from
// before) and grows with its layouts.
class InterpretationForm : public QWidget {
  Q_OBJECT
 public:
  explicit InterpretationForm(LagnaFormKind kind, QWidget* parent = nullptr);

  LagnaFormKind kind() const { return kind_; }
  bool hasPage(int lagnaIndex) const;
  QWidget* page(int lagnaIndex) const;  // nullptr for pages of the other form
  int currentPage() const;              // lagna index of the page in front

  // Brings the page of that lagna entry to the front, on the tab it opens with (the details
  // of the Arudha and Upapada lagnas); indices of the other form are ignored.
  void showPage(int lagnaIndex);

  // The person the chart belongs to, named in the window's title after the lagna.
  void setPersonName(const QString& name);

  // Keeps this window above `owner` (the window it was opened from) instead of dropping
  // behind it when the owner is clicked.
  void keepAbove(QWidget* owner);

  // Makes the shown window large enough for every text box of the page in front to show
  // its whole text, as far as the screen has room below and right of where the window
  // stands (beyond it the boxes scroll). It only grows: a size the user gave it that
  // already shows the texts stays, and so does its place.
  void growToShowTexts();
  // True when the window came back to a size and place kept from an earlier run.
  bool hasKeptGeometry() const { return keptGeometry_; }

  // Writes every control whose name matches a field, the house descriptions, the Pranapada
  // heading and the two readings. Fields of the other form's controls are skipped.
  void fill(const LagnaPageFields& fields);

 private:
  QWidget* buildPage(int lagnaIndex);
  QWidget* buildStandardBody(int lagnaIndex, QWidget* parent);
  QWidget* buildArudhaCharacteristics(QWidget* parent);
  QWidget* buildUpapadaReading(QWidget* parent);
  // A tab with a heading, fixed texts and the planetary reading below them.
  QWidget* buildReadingTab(QWidget* parent, const QString& heading, const char* headingName, const char* readingName,
                           std::initializer_list<const char*> texts);
  void buildPranapadaBody(QWidget* page);
  void updateTitle();
  QLabel* addValueLabel(const QString& name, QWidget* parent);
  QPlainTextEdit* addTopicBox(const QString& name, QWidget* parent);

  LagnaFormKind kind_;
  QStackedWidget* stack_ = nullptr;
  std::array<QWidget*, 13> pages_{};
  QHash<QString, QLabel*> valueLabels_;
  QHash<QString, QPlainTextEdit*> topicBoxes_;
  QTextEdit* reading_ = nullptr;        // RTB on the first form, RTBUL on the second
  QLabel* pranapadaHeading_ = nullptr;  // Label8(108) on the second form
  QString personName_;
  bool keptGeometry_ = false;
};

// Shows a reading run by run: emphasis, black or dark red, the reading's point size, and
// "\r\n" as line breaks.
void ShowRichReading(QTextEdit* box, const RichReading& reading);

// The two windows are created on first use and then live until the program ends.
InterpretationForm* LagnaForm(LagnaFormKind kind);
InterpretationForm* ExistingLagnaForm(LagnaFormKind kind);  // nullptr before first use
void DestroyLagnaForms();                                   // at shutdown or between tests

}  // namespace corvane
