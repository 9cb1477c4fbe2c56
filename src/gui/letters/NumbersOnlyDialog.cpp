#include "letters/NumbersOnlyDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lexinum {

NumbersOnlyDialog::NumbersOnlyDialog(QWidget* parent, AppServices& app) : HookDialog(parent, app, kHelpTopic) {
    setWindowTitle(QStringLiteral("Jouer aux Chiffres ?"));
    auto* layout = new QVBoxLayout(this);
    for (const QString& line :
         {QStringLiteral("Sans lexique, vous ne pouvez pas jouer aux Lettres, mais vous pouvez quand même jouer aux "
                         "Chiffres."),
          QStringLiteral("Souhaitez-vous jouer aux Chiffres en mode entraînement maintenant?")}) {
        auto* label = new QLabel(line, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    quitButton_ = new QPushButton(QStringLiteral("Quitter"), this);
    okButton_->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(quitButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(quitButton_, &QPushButton::clicked, this, [this] { done(kQuit); });
}

} // namespace lexinum
