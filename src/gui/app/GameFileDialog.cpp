#include "app/GameFileDialog.h"

#include "presentation/WindowHelpTopic.h"
#include "shell/AppServices.h"
#include "shell/HelpTopic.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>

namespace lexinum {

GameFileDialog::GameFileDialog(QWidget* parent, AppServices& app, Purpose purpose, const GameFileData& data)
    : QFileDialog(parent), helpKeys_(app) {
    const bool save = purpose == Purpose::Save;
    setOption(QFileDialog::DontUseNativeDialog);
    SetHelpTopic(this, save ? HelpTopic::SaveMatchAs : HelpTopic::ResumeMatch);
    setWindowTitle(save ? QStringLiteral("Sauvegarder une partie") : QStringLiteral("Reprendre une partie"));
    setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Saving takes a new name as well as an existing file.
    setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    setNameFilters(QString::fromStdString(data.filter).split(QStringLiteral(";;")));
    setDefaultSuffix(QString::fromStdString(data.defaultExt));
    const QFileInfo last(QString::fromStdString(data.fileName));
    if (!data.fileName.empty() && last.dir().exists()) {
        setDirectory(last.absolutePath());
        selectFile(last.fileName());
    } else if (!data.initialDir.empty() && QDir(QString::fromStdString(data.initialDir)).exists()) {
        setDirectory(QString::fromStdString(data.initialDir));
    } else {
        // No folder kept yet: the player's documents, not wherever the game was started from.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        setDirectory(QDir(documents).exists() ? documents : QDir::homePath());
    }
    if (auto* buttons = findChild<QDialogButtonBox*>()) {
        QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
        connect(help, &QPushButton::clicked, this, [&app] { app.RunCommand(Command::ContextHelp); });
    }
}

QString GameFileDialog::Choose() {
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return {};
    return selectedFiles().first();
}

} // namespace lexinum
