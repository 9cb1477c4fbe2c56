// Adding words to the lexicon and removing them from the "&Lexique" menu: the
// dialog, its text taken from the results box, the confirmation of each word,
// and the word check following the change at once.
#include "letters/PickWordDialog.h"
#include "FixtureLexicon.h"
#include "GameFixture.h"
#include "GuiTestMain.h"
#include "app/TivFrame.h"
#include "common/Profile.h"
#include "letters/MotWindow.h"
#include "lexicon/LexiconEditor.h"
#include "lexicon/WordCheck.h"
#include "presentation/ResultEdit.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>

using namespace lexinum;

namespace {

const std::vector<std::string> kWords = {"étoile", "toile", "île", "lie", "et", "te"};

std::string FileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

class PickWordDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { game_.SetUp(); }
    void cleanup() {
        game_.Reset();
        lexicon_.reset();
    }

    void wordAddedThenRemovedFromTheMenu();
    void cancelChangesNothing();

private:
    MotWindow* Start();

    test::GameFixture game_;
    std::unique_ptr<test::FixtureLexicon> lexicon_;
};

MotWindow* PickWordDialogTest::Start() {
    lexicon_ = std::make_unique<test::FixtureLexicon>(kWords);
    Profile(game_.IniPath().toStdString()).WriteString("LETTRES", "lexiques", lexicon_->Directory().string());
    game_.Start();
    return game_.App().LettersPane();
}

void PickWordDialogTest::wordAddedThenRemovedFromTheMenu() {
    MotWindow* pane = Start();
    QVERIFY(game_.Frame().FindMenuItem(Command::AddWords)->isEnabled());
    QVERIFY(game_.Frame().FindMenuItem(Command::RemoveWords)->isEnabled());
    // The words picked among the solutions: what is no letter becomes a space.
    pane->ResultBox()->setPlainText(QStringLiteral(" selfie!"));
    pane->ResultBox()->selectAll();
    game_.Prompts().messages.clear();
    const std::string folder = lexicon_->Directory().string();

    int topic = 0;
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<PickWordDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Ajouter des mots"));
        QCOMPARE(dialog->Prompt()->text(),
                 QStringLiteral("Entrez les mots à ajouter au lexique de \n%1:").arg(QString::fromStdString(folder)));
        QCOMPARE(dialog->Edit()->toPlainText(), QStringLiteral(" selfie "));
        QCOMPARE(test::GameFixture::AccessibleName(dialog->Edit()), QStringLiteral("Mots à ajouter"));
        QVERIFY(dialog->findChild<QPushButton*>() != nullptr);
        for (QPushButton* button : dialog->findChildren<QPushButton*>())
            QVERIFY(!test::GameFixture::AccessibleName(button).isEmpty());
        topic = dialog->Topic();
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QSignalSpy status(game_.Frame().statusBar(), &QStatusBar::messageChanged);
    QVERIFY(game_.App().RunCommand(Command::AddWords));
    QCOMPARE(topic, 277);
    // The status bar tells of the rewrite while it lasts.
    QStringList statusTexts;
    for (const QList<QVariant>& change : status)
        statusTexts << change.at(0).toString();
    QVERIFY(statusTexts.contains(QStringLiteral("Ajout du mot dans le fichier lexique correspondant...")));
    QVERIFY(game_.Frame().statusBar()->currentMessage().isEmpty());
    const auto& messages = game_.Prompts().messages;
    QVERIFY(!messages.empty());
    QCOMPARE(messages[messages.size() - 2].text,
             std::string("Etes-vous sûr de vouloir ajouter le mot \"selfie\" au lexique?"));
    // The pane's word check knows it at once.
    QCOMPARE(CheckWord(pane->Lexicon(), "SELFIE", "SELFIE"), WordCheckResult::Accepted);

    pane->ResultBox()->setPlainText(QString());
    game_.Prompts().messages.clear();
    test::GameFixture::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<PickWordDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Supprimer des mots"));
        QVERIFY(dialog->Edit()->toPlainText().isEmpty());
        topic = dialog->Topic();
        // One word refused, one removed.
        QTest::keyClicks(dialog->Edit(), QStringLiteral("selfie zut"));
        QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    });
    QVERIFY(game_.App().RunCommand(Command::RemoveWords));
    QCOMPARE(topic, 278);
    QCOMPARE(CheckWord(pane->Lexicon(), "SELFIE", "SELFIE"), WordCheckResult::UnknownKey);
    QCOMPARE(game_.Prompts().messages.back().text, std::string("Le mot \"zut\" n'appartient pas au lexique."));

    const std::string journal = FileText(lexicon_->Directory() / LexiconEditor::kJournalName);
    QCOMPARE(journal.rfind(LexiconEditor::kJournalHeader, 0), std::size_t(0));
    const std::string changes = journal.substr(std::string(LexiconEditor::kJournalHeader).size());
    QCOMPARE(changes.substr(0, 28), "selfie" + std::string(22, ' '));
    QVERIFY(changes.find("ajout\xE9 le ") != std::string::npos);
    const std::size_t second = changes.find("\r\n") + 2;
    QCOMPARE(changes.substr(second, 40), "selfie" + std::string(22, ' ') + "supprim\xE9 le ");
    QCOMPARE(changes.find("\r\n", second) + 2, changes.size());
}

void PickWordDialogTest::cancelChangesNothing() {
    MotWindow* pane = Start();
    const std::filesystem::path file = pane->Lexicon().LexFilePath(1);
    const std::string before = FileText(file);
    const std::size_t told = game_.Prompts().messages.size();
    test::GameFixture::OnModal([](QWidget* modal) {
        auto* dialog = qobject_cast<PickWordDialog*>(modal);
        QVERIFY(dialog != nullptr);
        QTest::keyClicks(dialog->Edit(), QStringLiteral("etre"));
        dialog->reject();
    });
    QVERIFY(game_.App().RunCommand(Command::AddWords));
    QCOMPARE(game_.Prompts().messages.size(), told);
    QCOMPARE(FileText(file), before);
    QVERIFY(!std::filesystem::exists(lexicon_->Directory() / LexiconEditor::kJournalName));
}

LEXINUM_GUI_TEST(PickWordDialogTest)
#include "PickWordDialogTest.moc"
