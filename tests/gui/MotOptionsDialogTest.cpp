// "Paramètres pour les Lettres", opened from the letters pane as a player
// does: what it shows, its checks on OK, "Annuler", and what OK changes in
// the pane's draw and search.
#include "letters/MotOptionsDialog.h"
#include "FixtureLexicon.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotEnterDialog.h"
#include "letters/MotEnterEdit.h"
#include "letters/MotWindow.h"
#include "lexicon/LetterDraw.h"
#include "presentation/ChifEdit.h"
#include "presentation/ValidEdit.h"
#include "shell/SettingsKeys.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>

using namespace lexinum;

namespace {

void Retype(ChifEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

int VowelsIn(const std::string& letters) {
    return static_cast<int>(std::count_if(letters.begin(), letters.end(), LetterDraw::IsVowel));
}

} // namespace

class MotOptionsDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    // The game on a lexicon of a few words, so that a search has something to find.
    void init() {
        lexicon_ = std::make_unique<test::FixtureLexicon>(
            std::vector<std::string>{"étoile", "toile", "île", "lie", "lit", "oie", "et", "te"});
        Profile(game_.IniPath().toStdString())
            .WriteString(keys::kLetters, keys::kLexiconFolder, lexicon_->Directory().string());
        game_.Start();
        pane_ = game_.App().LettersPane();
    }
    void cleanup() {
        game_.Reset();
        lexicon_.reset();
    }

    void opensOnTheRulesInForce();
    void okChecksTheCountsAndCancelKeepsThem_data();
    void okChecksTheCountsAndCancelKeepsThem();
    void onlyAChangedCountDrawsAgainAndStopsTheSearch_data();
    void onlyAChangedCountDrawsAgainAndStopsTheSearch();
    void theCommandIsGreyedInAMatchAndTheCountIsKept();

private:
    // Opens the dialog with command 122 and runs `act` on it.
    void RunDialog(const std::function<void(MotOptionsDialog*)>& act) {
        test::GameFixture::OnModal([act](QWidget* modal) {
            auto* dialog = qobject_cast<MotOptionsDialog*>(modal);
            QVERIFY(dialog != nullptr);
            QTRY_COMPARE(QApplication::activeWindow(), modal);
            act(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        QVERIFY(game_.App().RunCommand(Command::Options));
    }

    test::GameFixture game_;
    std::unique_ptr<test::FixtureLexicon> lexicon_;
    MotWindow* pane_ = nullptr;
};

void MotOptionsDialogTest::opensOnTheRulesInForce() {
    int topic = 0;
    RunDialog([&](MotOptionsDialog* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Paramètres pour les Lettres"));
        QCOMPARE(dialog->VowelsBox()->text(), QStringLiteral("4"));
        QCOMPARE(dialog->LettersBox()->text(), QStringLiteral("9"));
        // The fixture makes training draws automatic.
        QVERIFY(dialog->AutoChoiceBox()->isChecked());
        QCOMPARE(dialog->AutoChoiceBox()->text(), QStringLiteral("Choi&x des lettres automatique"));
        QCOMPARE(QApplication::focusWidget(), dialog->VowelsBox());
        topic = game_.App().ContextHelpTopic();
        dialog->HelpButton()->click();
        QCOMPARE(test::GameFixture::AccessibleName(dialog->VowelsBox()), QStringLiteral("Nombre de voyelles"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->LettersBox()), QStringLiteral("Nombre de lettres"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->AutoChoiceBox()),
                 QStringLiteral("Choix des lettres automatique"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->OkButton()), QStringLiteral("OK"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->CancelButton()), QStringLiteral("Annuler"));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->HelpButton()), QStringLiteral("Aide"));
        // The labels lead to their boxes.
        QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), dialog->LettersBox());
        // The boxes step like the numbers boxes, within their range.
        QTest::keyClick(dialog->LettersBox(), Qt::Key_Up);
        QCOMPARE(dialog->LettersBox()->text(), QStringLiteral("10"));
        Retype(dialog->LettersBox(), QStringLiteral("27"));
        QTest::keyClick(dialog->LettersBox(), Qt::Key_Up);
        QCOMPARE(dialog->LettersBox()->text(), QStringLiteral("27"));
    });
    QCOMPARE(topic, 264);
    QCOMPARE(game_.HelpTopicsOpened(), std::vector<int>{264});
}

void MotOptionsDialogTest::okChecksTheCountsAndCancelKeepsThem_data() {
    QTest::addColumn<QString>("vowels");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("cancel");
    // Empty when OK is accepted.
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");

    QTest::newRow("as many vowels as letters") << "2"
                                               << "2" << false << ""
                                               << "";
    QTest::newRow("no vowel, longest draw") << "0"
                                            << "27" << false << ""
                                            << "";
    QTest::newRow("more vowels than letters") << "3"
                                              << "2" << false << "Plus de voyelles que de lettres ???"
                                              << "Le mot le plus long";
    QTest::newRow("too many vowels") << "28"
                                     << "27" << false << "La valeur doit être entre 0 et 27."
                                     << "Lexinum";
    QTest::newRow("too few letters") << "0"
                                     << "1" << false << "La valeur doit être entre 2 et 27."
                                     << "Lexinum";
    QTest::newRow("too many letters") << "4"
                                      << "28" << false << "La valeur doit être entre 2 et 27."
                                      << "Lexinum";
    QTest::newRow("good counts, then Annuler") << "5"
                                               << "12" << true << ""
                                               << "";
}

void MotOptionsDialogTest::okChecksTheCountsAndCancelKeepsThem() {
    QFETCH(QString, vowels);
    QFETCH(QString, letters);
    QFETCH(bool, cancel);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    const std::string before = pane_->Letters();
    const bool accepted = !cancel && message.isEmpty();
    game_.Prompts().messages.clear();

    RunDialog([&](MotOptionsDialog* dialog) {
        // Only the last box is typed, so that no text is refused on leaving a box.
        dialog->VowelsBox()->setText(vowels);
        Retype(dialog->LettersBox(), letters);
        if (cancel) {
            dialog->CancelButton()->click();
            return;
        }
        dialog->OkButton()->click();
        QCOMPARE(dialog->isVisible(), !accepted);
        if (accepted) {
            QVERIFY(game_.Prompts().messages.empty());
            return;
        }
        QCOMPARE(game_.Prompts().messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(game_.Prompts().messages[0].text), message);
        QCOMPARE(QString::fromStdString(game_.Prompts().messages[0].caption), caption);
        QCOMPARE(game_.Prompts().messages[0].icon, PromptIcon::Exclamation);
        QVERIFY(qobject_cast<ChifEdit*>(QApplication::focusWidget()) != nullptr);
        // Refused, then left: nothing typed is kept.
        dialog->CancelButton()->click();
    });

    if (!accepted) {
        QCOMPARE(pane_->VowelCount(), 4);
        QCOMPARE(pane_->LetterCount(), 9);
        QCOMPARE(pane_->Letters(), before);
        return;
    }
    QCOMPARE(pane_->VowelCount(), vowels.toInt());
    QCOMPARE(pane_->LetterCount(), letters.toInt());
    // Drawn again with the new counts, and shown.
    QCOMPARE(static_cast<int>(pane_->Letters().size()), letters.toInt());
    QCOMPARE(VowelsIn(pane_->Letters()), vowels.toInt());
    QCOMPARE(pane_->LettersField()->text().toStdString(), pane_->Letters());
}

void MotOptionsDialogTest::onlyAChangedCountDrawsAgainAndStopsTheSearch_data() {
    QTest::addColumn<QString>("vowels");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("drawsAgain");

    QTest::newRow("the check box alone") << "4"
                                         << "9" << false << false;
    QTest::newRow("the same counts typed again") << "4"
                                                 << "9" << true << false;
    QTest::newRow("more letters") << "4"
                                  << "10" << true << true;
    QTest::newRow("fewer vowels") << "3"
                                  << "9" << true << true;
    // The new draw is automatic even when training draws are not.
    QTest::newRow("more letters, draws by hand") << "4"
                                                 << "11" << false << true;
}

void MotOptionsDialogTest::onlyAChangedCountDrawsAgainAndStopsTheSearch() {
    QFETCH(QString, vowels);
    QFETCH(QString, letters);
    QFETCH(bool, automatic);
    QFETCH(bool, drawsAgain);

    // A round on a known draw, its search waiting between groups.
    pane_->LettersField()->setText(QStringLiteral("TOILEEX"));
    QVERIFY(pane_->TakeLettersField());
    test::GameFixture::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MotEnterDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QTest::keyClicks(dialog->Edit(), QStringLiteral("TOILE"));
        dialog->OkButton()->click();
    });
    QVERIFY(game_.App().RunCommand(Command::ShowSolutions));
    QVERIFY(!pane_->Channel().Stopped());

    RunDialog([&](MotOptionsDialog* dialog) {
        Retype(dialog->VowelsBox(), vowels);
        Retype(dialog->LettersBox(), letters);
        dialog->AutoChoiceBox()->setChecked(automatic);
        dialog->OkButton()->click();
        QVERIFY(!dialog->isVisible());
    });

    QCOMPARE(pane_->AutoChoice(), automatic);
    QCOMPARE(pane_->Channel().Stopped(), drawsAgain);
    if (!drawsAgain) {
        QCOMPARE(pane_->Letters(), std::string("TOILEEX"));
        return;
    }
    QCOMPARE(static_cast<int>(pane_->Letters().size()), letters.toInt());
    QCOMPARE(VowelsIn(pane_->Letters()), vowels.toInt());
    QCOMPARE(pane_->LettersField()->text().toStdString(), pane_->Letters());
    QTRY_VERIFY(!pane_->Channel().WorkerAlive());
}

void MotOptionsDialogTest::theCommandIsGreyedInAMatchAndTheCountIsKept() {
    RunDialog([](MotOptionsDialog* dialog) {
        Retype(dialog->LettersBox(), QStringLiteral("12"));
        dialog->OkButton()->click();
    });
    QVERIFY(game_.Frame().IsCommandEnabled(Command::Options));
    GameState& state = game_.App().State();
    state.SetCompetition(true);
    QVERIFY(!game_.Frame().IsCommandEnabled(Command::Options));
    state.SetCompetition(false);
    QVERIFY(game_.Frame().IsCommandEnabled(Command::Options));
    // The settings keep the count the player chose.
    QVERIFY(game_.Frame().close());
    QCOMPARE(Profile(game_.IniPath().toStdString()).ReadInt(keys::kLetters, keys::kLetterCount, 0), 12);
}

LEXINUM_GUI_TEST(MotOptionsDialogTest)
#include "MotOptionsDialogTest.moc"
