// The chosen draw: a letter per press of "&Voyelle" or "&Consonne", closed by
// itself once the draw is complete, never given up; and the draw made when
// the letters pane comes back.
#include "letters/LettrEnterDialog.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "lexicon/LetterTables.h"
#include "lexicon/LexiconSet.h"
#include "presentation/ResultEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/GameFonts.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace lexinum;

namespace {

bool IsVowel(char c) {
    return std::string_view(kVowels).find(c) != std::string_view::npos;
}

} // namespace

class LettrEnterDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() { game_.Reset(); }

    void drawIsChosenLetterByLetter();
    void keysPickAndGivingUpDoesNothing();
    void paneComingBackDrawsAndFocusesTheField();
    void staysOnScreenWholeAtEveryCount();

private:
    MotWindow* StartWithManualDraws(int letters);

    test::GameFixture game_;
};

MotWindow* LettrEnterDialogTest::StartWithManualDraws(int letters) {
    Profile(game_.IniPath().toStdString()).WriteInt("LETTRES", "nb lettres", letters);
    game_.automaticDraws = false;
    game_.Start();
    return game_.App().LettersPane();
}

void LettrEnterDialogTest::drawIsChosenLetterByLetter() {
    MotWindow* pane = StartWithManualDraws(5);
    QVERIFY(!pane->AutoChoice());
    bool checked = false;
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Choisissez voyelle ou consonne"));
        QCOMPARE(game_.App().ContextHelpTopic(), 263);
        // The pane's field is emptied while the letters are chosen.
        QVERIFY(pane->LettersField()->text().isEmpty());
        QVERIFY(dialog->Field()->text().isEmpty());
        QVERIFY(dialog->Field()->isReadOnly());
        // Sized for five letters of the big font, at the least.
        QCOMPARE(dialog->size(), LettrEnterDialog::ClientSize(game_.App(), 5));
        QVERIFY(dialog->Field()->width() >= 5 * QFontMetrics(game_.App().Fonts().bigFont).maxWidth());
        QCOMPARE(dialog->VowelButton()->y(), dialog->ConsonantButton()->y());
        QVERIFY(dialog->VowelButton()->y() > dialog->Field()->geometry().bottom());
        QVERIFY(dialog->VowelButton()->isDefault());
        QCOMPARE(test::GameFixture::AccessibleName(dialog->Field()), QStringLiteral("Tirage"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->VowelButton()), QStringLiteral("Voyelle"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->ConsonantButton()), QStringLiteral("Consonne"));
        // Each letter drawn is said to a screen reader: it is the description
        // of the field and of the button that has the focus (a reader speaks
        // that of the focused control only), not of the other button.
        const auto told = [dialog](const QString& kind) {
            const QString said = kind + QLatin1Char(' ') + dialog->Field()->text().back();
            QCOMPARE(dialog->Field()->accessibleDescription(), said);
            for (QPushButton* button : {dialog->VowelButton(), dialog->ConsonantButton()})
                QCOMPARE(button->accessibleDescription(), button == dialog->focusWidget() ? said : QString());
        };
        QTest::mouseClick(dialog->VowelButton(), Qt::LeftButton);
        told(QStringLiteral("Voyelle"));
        QTest::mouseClick(dialog->ConsonantButton(), Qt::LeftButton);
        QCOMPARE(dialog->Field()->text().size(), 2);
        told(QStringLiteral("Consonne"));
        // From the keyboard the focus stays on "&Voyelle", which says each letter.
        dialog->VowelButton()->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(dialog, Qt::Key_C);
        told(QStringLiteral("Consonne"));
        QCOMPARE(dialog->VowelButton()->accessibleDescription(), dialog->Field()->accessibleDescription());
        QTest::mouseClick(dialog->VowelButton(), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        checked = true;
        // The fifth letter completes the draw: the dialog closes by itself.
        QTest::mouseClick(dialog->ConsonantButton(), Qt::LeftButton);
    });
    QVERIFY(game_.App().RunCommand(Command::NewDraw));
    QVERIFY(checked);
    const std::string& letters = pane->Letters();
    QCOMPARE(letters.size(), std::size_t(5));
    const std::string shape = {IsVowel(letters[0]) ? 'v' : 'c', IsVowel(letters[1]) ? 'v' : 'c',
                               IsVowel(letters[2]) ? 'v' : 'c', IsVowel(letters[3]) ? 'v' : 'c',
                               IsVowel(letters[4]) ? 'v' : 'c'};
    QCOMPARE(shape, std::string("vccvc"));
    QCOMPARE(pane->LettersField()->text(), QString::fromStdString(letters));
    QCOMPARE(game_.App().ContextHelpTopic(), 260);
}

void LettrEnterDialogTest::keysPickAndGivingUpDoesNothing() {
    MotWindow* pane = StartWithManualDraws(3);
    test::GameFixture::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        // Escape and the close box do not end the draw.
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->close());
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->Field()->text().isEmpty());
        // Return presses "&Voyelle"; the initials pick as well.
        QTest::keyClick(dialog, Qt::Key_C);
        QTest::keyClick(dialog, Qt::Key_V);
        QCOMPARE(dialog->Field()->text().size(), 2);
        QTest::keyClick(dialog->VowelButton(), Qt::Key_Return);
    });
    QVERIFY(game_.App().RunCommand(Command::NewDraw));
    const std::string& letters = pane->Letters();
    QCOMPARE(letters.size(), std::size_t(3));
    QVERIFY(!IsVowel(letters[0]) && IsVowel(letters[1]) && IsVowel(letters[2]));
}

void LettrEnterDialogTest::paneComingBackDrawsAndFocusesTheField() {
    game_.Start();
    TivApp& app = game_.App();
    MotWindow* pane = app.LettersPane();
    game_.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game_.Frame()));
    pane->ResultBox()->setPlainText(QStringLiteral("ancien tour"));
    app.ShowGame(Game::Numbers);
    app.ShowGame(Game::Letters);
    // A new draw, in the field, which has the focus with its text selected;
    // the results box is empty.
    QCOMPARE(pane->Letters().size(), std::size_t(9));
    QCOMPARE(pane->LettersField()->text(), QString::fromStdString(pane->Letters()));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(pane->LettersField()));
    QCOMPARE(pane->LettersField()->selectedText(), pane->LettersField()->text());
    QVERIFY(pane->ResultBox()->toPlainText().isEmpty());

    // Drawn by vowel and consonant when the player chose so.
    pane->SetAutoChoice(false);
    bool asked = false;
    test::GameFixture::OnModal([&asked](QWidget* modal) {
        auto* dialog = qobject_cast<LettrEnterDialog*>(modal);
        asked = dialog != nullptr;
        while (dialog != nullptr && dialog->isVisible())
            dialog->PickConsonant();
    });
    app.ShowGame(Game::Numbers);
    app.ShowGame(Game::Letters);
    QVERIFY(asked);
    QVERIFY(std::none_of(pane->Letters().begin(), pane->Letters().end(), IsVowel));
}

void LettrEnterDialogTest::staysOnScreenWholeAtEveryCount() {
    game_.Start();
    LexiconSet lexicon;
    for (const int count : {2, 9, 27}) {
        LettrEnterDialog dialog(&game_.Frame(), game_.App(), lexicon, count);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QByteArray context = QByteArray::number(count) + " letters";
        QVERIFY2(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()), context);
        // Both labels and the title show whole.
        for (QPushButton* button : {dialog.VowelButton(), dialog.ConsonantButton()}) {
            const QFontMetrics metrics(button->font());
            QVERIFY2(metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))) < button->width(), context);
        }
        QVERIFY2(QFontMetrics(QApplication::font()).horizontalAdvance(dialog.windowTitle()) < dialog.width(), context);
        dialog.done(QDialog::Accepted);
    }
}

LEXINUM_GUI_TEST(LettrEnterDialogTest)
#include "LettrEnterDialogTest.moc"
