#include "letters/PickWordDialog.h"

#include "common/Cp1252.h"
#include "common/Prompter.h"
#include "lexicon/LexiconSet.h"
#include "lexicon/LexiconTexts.h"
#include "shell/AppServices.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexinum {

namespace {

HelpTopic TopicOf(LexiconEditor::Mode mode) {
    return mode == LexiconEditor::Mode::Add ? HelpTopic::AddWords : HelpTopic::RemoveWords;
}

} // namespace

QString PickWordDialog::CleanedText(const QString& text) {
    // Every character the game cannot write (outside Windows-1252) is no
    // letter either: it becomes a space like the others.
    return QString::fromStdString(Cp1252::ToUtf8(
        LexiconEditor::CleanText(Cp1252::FromUtf8Lossy(text.left(LexiconEditor::kMaxTextLength).toStdString()))));
}

PickWordDialog::PickWordDialog(QWidget* parent, AppServices& app, Mode mode, LexiconSet& lexicon, SearchChannel* search,
                               const QString& selection)
    : CenteredDialog(parent, app, TopicOf(mode)), mode_(mode), lexicon_(lexicon), search_(search) {
    const bool adding = mode == Mode::Add;
    setWindowTitle(adding ? QStringLiteral("Ajouter des mots") : QStringLiteral("Supprimer des mots"));
    auto* layout = new QVBoxLayout(this);
    const QString folder = QString::fromStdString(lexicon.Directory().string());
    prompt_ = new QLabel((adding ? QStringLiteral("Entrez les mots à ajouter au lexique de \n%1:")
                                 : QStringLiteral("Entrez les mots à supprimer du lexique de \n%1:"))
                             .arg(folder),
                         this);
    prompt_->setWordWrap(true);
    layout->addWidget(prompt_);

    edit_ = new QPlainTextEdit(this);
    edit_->setAccessibleName(adding ? QStringLiteral("Mots à ajouter") : QStringLiteral("Mots à supprimer"));
    edit_->setTabChangesFocus(true);
    edit_->setPlainText(CleanedText(selection));
    prompt_->setBuddy(edit_);
    layout->addWidget(edit_);
    // The edit holds at most 199 characters.
    connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = edit_->toPlainText();
        if (text.size() > static_cast<qsizetype>(LexiconEditor::kMaxTextLength)) {
            edit_->setPlainText(text.left(LexiconEditor::kMaxTextLength));
            edit_->moveCursor(QTextCursor::End);
        }
    });

    for (const QString& line :
         {QStringLiteral("N'oubliez pas d'indiquer tous les mots apparentés, par exemple les différents genres et "
                         "nombres."),
          QStringLiteral("Cliquez sur Aide pour plus de précisions.")}) {
        auto* label = new QLabel(line, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto* buttons = new QDialogButtonBox(this);
    okButton_ = buttons->addButton(QStringLiteral("O&K"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
    okButton_->setAccessibleName(QStringLiteral("OK"));
    cancel->setAccessibleName(QStringLiteral("Annuler"));
    help->setAccessibleName(QStringLiteral("Aide"));
    okButton_->setDefault(true);
    layout->addWidget(buttons);
    connect(okButton_, &QPushButton::clicked, this, &PickWordDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &HookDialog::Help);
    setAccessibleName(windowTitle());
    edit_->setFocus(Qt::OtherFocusReason);
}

void PickWordDialog::accept() {
    Prompter& prompter = Prompter::Active();
    LexiconEditor editor(lexicon_, &prompter, search_);
    editor.onStatus = [this](const std::string& status) { App().ShowHint(QString::fromStdString(status)); };
    const std::string text = Cp1252::FromUtf8Lossy(edit_->toPlainText().toStdString());
    for (const std::string& word : LexiconEditor::SplitWords(LexiconEditor::CleanText(text))) {
        if (word.size() < 2) {
            prompter.Tell("Les mots doivent avoir au moins deux lettres", LexiconTexts::kCaption,
                          PromptIcon::Exclamation);
            continue;
        }
        if (prompter.Ask(LexiconEditor::Question(word, mode_), LexiconTexts::kCaption, PromptIcon::Question,
                         PromptButtons::YesNo) != PromptAnswer::Yes)
            continue;
        if (editor.Change(word, mode_, LexiconEditor::Moment::Now()) == LexiconEditor::Outcome::Done)
            ++changes_;
    }
    CenteredDialog::accept();
}

} // namespace lexinum
