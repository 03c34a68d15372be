// SPDX-License-Identifier: MIT
// The spelling dialog as a user meets it: its captions, what it shows for a word, and what each
// button does to the text under check. Runs on a scripted dictionary; a modal showing is answered
// by the test through ViewerServices().ExecModal.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <map>
#include <vector>
#include <string>

#include "bigtext.h"
#include "ui/prompts.h"
#include "scripted_dictionary.h"
#include "spelling/spelldialog.h"
#include "temp_dir.h"
#include "viewers/viewerservices.h"

using namespace qm;

class TestSpellDialog : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { ViewerServices() = TViewerServices(); }
  void captions_data();
  void captions();
  void showsTheWordInContext();
  void buttonsChangeTheText_data();
  void buttonsChangeTheText();
  void suggestionButtonsAndList();
  void noSuggestions();
  void screenshot();
};

namespace {

// Records the messages; questions are answered Yes.
class TRecordingPrompts final : public IPrompts {
 public:
  TAnswer Ask(TMsgKind, TButtons buttons, const std::string& text) override {
    Messages.push_back(text);
    return buttons == TButtons::YesNo ? TAnswer::Yes : TAnswer::Ok;
  }
  std::vector<std::string> Messages;
};

struct Harness {
  test::TempDir dir;
  test::ScriptedWords words{{"the", "The", "ten", "cat", "dog", "Receive", "totals"},
                            {{"teh", {"the", "ten"}}, {"dgo", {"dog"}}, {"Recieve", {"Receive", "Relieve", "Reprieve"}}},
                            0};
  TRecordingPrompts prompts;
  TfrmSpellDialog dialog{prompts, test::ScriptedOpener(words)};
  int shown = 0;

  // Answers each showing of the dialog with answer.
  explicit Harness(std::function<void(TfrmSpellDialog&)> answer) {
    ViewerServices().ExecModal = [this, answer](QDialog& d) {
      if (&d == &dialog) {
        ++shown;
        answer(dialog);
      }
      return d.result();
    };
    dialog.VCSpeller().BeginRun(nullptr);
  }

  std::string Check(std::string text, bool* cancelled = nullptr) {
    bool c = false, changed = false;
    dialog.Spelling().RunSpellCheck("  MsgBox \"" + text + "\"", text, TSpellTarget{true, 11}, c, changed);
    if (cancelled) *cancelled = c;
    return text;
  }
};

}  // namespace

void TestSpellDialog::captions_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("caption");
  const std::pair<const char*, const char*> rows[] = {
      {"lblContext", "Context of spelling error:"}, {"lblNotInDictionary", "Not in Dictionary:"},
      {"SuggestionsButton1", "&Suggestions"},        {"lblReplaceWith", "Replace With:"},
      {"SuggestionsButton2", "S&uggestions"},        {"IgnoreButton", "&Ignore"},
      {"IgnoreAllButton", "I&gnore All"},            {"ReplaceButton", "&Replace"},
      {"ReplaceAllButton", "R&eplace All"},          {"OptionsButton", "&Options"},
      {"AddCustomButton", "&Add To Custom"},         {"CancelSpellcheckButton", "&Cancel Spellcheck"}};
  for (const auto& [control, caption] : rows) QTest::newRow(control) << control << caption;
}

void TestSpellDialog::captions() {
  QFETCH(QString, control);
  QFETCH(QString, caption);
  Harness h([](TfrmSpellDialog&) {});
  const std::map<QString, QWidget*> controls = {
      {"lblContext", h.dialog.lblContext},           {"lblNotInDictionary", h.dialog.lblNotInDictionary},
      {"SuggestionsButton1", h.dialog.SuggestionsButton1}, {"lblReplaceWith", h.dialog.lblReplaceWith},
      {"SuggestionsButton2", h.dialog.SuggestionsButton2}, {"IgnoreButton", h.dialog.IgnoreButton},
      {"IgnoreAllButton", h.dialog.IgnoreAllButton},       {"ReplaceButton", h.dialog.ReplaceButton},
      {"ReplaceAllButton", h.dialog.ReplaceAllButton},     {"OptionsButton", h.dialog.OptionsButton},
      {"AddCustomButton", h.dialog.AddCustomButton},       {"CancelSpellcheckButton", h.dialog.CancelSpellcheckButton}};
  QWidget* w = controls.at(control);
  const QString text = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : qobject_cast<QPushButton*>(w)->text();
  QCOMPARE(text, caption);
  QCOMPARE(h.dialog.windowTitle(), QStringLiteral("Word Not Found in Dictionary"));
  QVERIFY(h.dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(!h.dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void TestSpellDialog::showsTheWordInContext() {
  Harness h([](TfrmSpellDialog& d) {
    QCOMPARE(d.Misspell->text(), QStringLiteral("teh"));
    QCOMPARE(d.ReplaceWith->text(), QStringLiteral("the"));
    QCOMPARE(d.SuggestList->count(), 2);
    QVERIFY(d.SuggestList->isEnabled());
    QCOMPARE(d.SuggestList->currentRow(), 0);
    QCOMPARE(d.txtDisplay->Count(), 2);
    QCOMPARE(d.txtDisplay->GetLine(0), std::string("  MsgBox \"teh cat\""));
    QCOMPARE(d.txtDisplay->GetLine(1), std::string("teh cat"));
    QCOMPARE(d.txtDisplay->GetLineAttributes(1).BackColor, clSilver);
    QCOMPARE(d.Customs->count(), 1);
    QCOMPARE(d.Customs->currentText(), QStringLiteral("VBQUILL3.DIC"));
    QVERIFY(d.AddCustomButton->isEnabled());
    d.IgnoreButton->click();
  });
  QCOMPARE(h.Check("teh cat"), std::string("teh cat"));
  QCOMPARE(h.shown, 1);
}

void TestSpellDialog::buttonsChangeTheText_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("shown");
  QTest::addColumn<bool>("cancelled");
  QTest::newRow("Ignore") << "IgnoreButton" << "" << "teh dgo teh" << 3 << false;
  QTest::newRow("IgnoreAll") << "IgnoreAllButton" << "" << "teh dgo teh" << 2 << false;
  QTest::newRow("Replace") << "ReplaceButton" << "" << "the dog the" << 3 << false;
  QTest::newRow("ReplaceTyped") << "ReplaceButton" << "cat" << "cat cat cat" << 3 << false;
  QTest::newRow("ReplaceAll") << "ReplaceAllButton" << "" << "the dog the" << 3 << false;
  QTest::newRow("Cancel") << "CancelSpellcheckButton" << "" << "teh dgo teh" << 1 << true;
}

void TestSpellDialog::buttonsChangeTheText() {
  QFETCH(QString, button);
  QFETCH(QString, typed);
  QFETCH(QString, expected);
  QFETCH(int, shown);
  QFETCH(bool, cancelled);
  Harness h([&](TfrmSpellDialog& d) {
    if (!typed.isEmpty()) d.ReplaceWith->setText(typed);
    const std::map<QString, QPushButton*> buttons = {{"IgnoreButton", d.IgnoreButton},
                                                     {"IgnoreAllButton", d.IgnoreAllButton},
                                                     {"ReplaceButton", d.ReplaceButton},
                                                     {"ReplaceAllButton", d.ReplaceAllButton},
                                                     {"CancelSpellcheckButton", d.CancelSpellcheckButton}};
    buttons.at(button)->click();
  });
  bool wasCancelled = false;
  QCOMPARE(QString::fromStdString(h.Check("teh dgo teh", &wasCancelled)), expected);
  QCOMPARE(h.shown, shown);
  QCOMPARE(wasCancelled, cancelled);
}

void TestSpellDialog::suggestionButtonsAndList() {
  Harness h([](TfrmSpellDialog& d) {
    d.SuggestList->setCurrentRow(1);
    QTest::mouseClick(d.SuggestList->viewport(), Qt::LeftButton, {},
                      d.SuggestList->visualItemRect(d.SuggestList->item(1)).center());
    QCOMPARE(d.ReplaceWith->text(), QStringLiteral("ten"));
    d.ReplaceWith->setText(QStringLiteral("dgo"));
    d.SuggestionsButton2->click();
    QCOMPARE(d.SuggestList->item(0)->text(), QStringLiteral("dog"));
    QCOMPARE(d.ReplaceWith->text(), QStringLiteral("dog"));
    d.SuggestionsButton1->click();
    QCOMPARE(d.SuggestList->item(0)->text(), QStringLiteral("the"));
    d.IgnoreButton->click();
  });
  h.Check("teh");
  QCOMPARE(h.shown, 1);
}

void TestSpellDialog::noSuggestions() {
  Harness h([](TfrmSpellDialog& d) {
    QCOMPARE(d.SuggestList->count(), 1);
    QCOMPARE(d.SuggestList->item(0)->text(), QStringLiteral("[No suggestions]"));
    QVERIFY(!d.SuggestList->isEnabled());
    QCOMPARE(d.ReplaceWith->text(), QString());
    d.IgnoreButton->click();
  });
  h.Check("zork");
}

// The picture for the documentation, under a real display server when QUILLMATE_SPELL_SCREENSHOT
// names the PNG to write.
void TestSpellDialog::screenshot() {
  const QString target = qEnvironmentVariable("QUILLMATE_SPELL_SCREENSHOT");
  if (target.isEmpty()) QSKIP("QUILLMATE_SPELL_SCREENSHOT is not set");
  bool taken = false;
  Harness h([&](TfrmSpellDialog& d) {
    if (!taken) {
      d.show();
      QVERIFY(QTest::qWaitForWindowExposed(&d));
      QTest::qWait(300);
      QVERIFY(d.grab().save(target));
      taken = true;
    }
    d.IgnoreButton->click();
  });
  h.Check("Recieve teh totals");
}

QTEST_MAIN(TestSpellDialog)
#include "tst_spelldialog.moc"
