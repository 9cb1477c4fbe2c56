#include "letters/LexFindDialog.h"

#include "common/Prompter.h"
#include "lexicon/LexiconTexts.h"
#include "presentation/Bell.h"
#include "presentation/WindowHelpTopic.h"
#include "shell/AppServices.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>

namespace lexinum {

LexFindDialog::LexFindDialog(QWidget* parent, AppServices& app, LexiconSet& lexicon, const std::string& radical,
                             const QString& startAt, SearchChannel* search)
    : QFileDialog(parent), app_(app), helpKeys_(app), lexicon_(lexicon), radical_(radical), search_(search) {
    setOption(QFileDialog::DontUseNativeDialog);
    SetHelpTopic(this, kHelpTopic);
    setWindowTitle(QString::fromStdString(LexiconLocator::DialogTitle(radical_)));
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters({QStringLiteral("Lexiques (*.lex)"), QStringLiteral("Tous les fichiers (*)")});
    setDefaultSuffix(QStringLiteral("lex"));
    const QFileInfo start(startAt);
    if (start.isFile()) {
        setDirectory(start.absolutePath());
        selectFile(start.fileName());
    } else if (!startAt.isEmpty()) {
        setDirectory(startAt);
    }
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
        connect(help, &QPushButton::clicked, this, [this] { app_.RunCommand(Command::ContextHelp); });
    }
}

void LexFindDialog::accept() {
    const QStringList files = selectedFiles();
    const QFileInfo picked(files.isEmpty() ? QString() : files.first());
    // A folder typed in is opened, a missing file refused, as the dialog does.
    if (!picked.isFile()) {
        QFileDialog::accept();
        return;
    }
    chosenFile_ = picked.absoluteFilePath();

    LexiconLocator locator(Prompter::Active());
    locator.search = search_;
    locator.onBeep = [] { Bell::Ring(); };
    locator.onBusy = [this](bool busy) {
        if (busy) {
            app_.ShowHint(QString::fromUtf8(LexiconTexts::kBusy));
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
            app_.ShowHint({});
        }
    };
    const LexiconLocator::Outcome outcome =
        locator.Accept(lexicon_, std::filesystem::path(picked.absolutePath().toStdString()), radical_);
    if (outcome.adopted)
        QDialog::accept();
}

} // namespace lexinum
