#include "app/TivFrame.h"

#include "app/CommandHints.h"
#include "app/CommandRouter.h"
#include "app/Layout.h"
#include "common/Prompter.h"
#include "presentation/PanoWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>

#include <vector>

namespace lexinum {

namespace {

// One item of a popup: a command and its label, or a separator (no label).
struct MenuItem {
    Command command;
    const char* label;
};

constexpr MenuItem kSeparator{Command::Exit, nullptr};

struct Popup {
    const char* title;
    std::vector<MenuItem> items;
};

// The menu bar of the letters game in training.
const std::vector<Popup> kMenuBar = {
    {"&Fichier",
     {{Command::NewMatch, "&Nouvelle partie..."},
      {Command::ResumeMatch, "Rouvrir &partie..."},
      {Command::SaveMatch, "&Enregistrer partie"},
      {Command::SaveMatchAs, "Enregistrer partie s&ous..."},
      {Command::QuitMatch, "Qui&tter partie"},
      kSeparator,
      {Command::Exit, "&Quitter"}}},
    {"&Jeu",
     {{Command::NewDraw, "&Nouvelles lettres"},
      {Command::ShowSolutions, "&Voir les solutions..."},
      {Command::PlayNumbers, "Jouer aux &Chiffres"},
      {Command::TopTen, "Les 10 &meilleurs..."}}},
    {"&Options",
     {{Command::Colours, "&Couleurs..."},
      {Command::Fonts, "Po&lices..."},
      {Command::Options, "&Paramètres..."},
      {Command::LetterPalette, "A&fficher palette"},
      kSeparator,
      {Command::BitmapFile, "Fichier &bitmap..."},
      {Command::BitmapPalette, "Choi&x bitmap"}}},
    {"&Lexique",
     {{Command::AddWords, "&Ajouter mots..."},
      {Command::RemoveWords, "&Supprimer mots..."},
      {Command::ChangeLexicon, "&Changer de lexique..."}}},
    {"&?",
     {{Command::HelpContents, "&Sommaire"},
      {Command::HelpOnHelp, "&Utiliser l'aide"},
      {Command::ContextHelp, "&Contextuelle"},
      kSeparator,
      {Command::About, "&A propos"}}},
};

// Position of the "&Lexique" popup in the menu bar.
constexpr int kLexiconPosition = 3;

constexpr char kNewLettersLabel[] = "&Nouvelles lettres";
constexpr char kNewNumbersLabel[] = "&Nouveaux nombres";

bool IsCheckItem(Command command) {
    return command == Command::LetterPalette || command == Command::BitmapPalette;
}

} // namespace

TivFrame::TivFrame(TivApp& app, PanoWindow* lettersPane) : app_(app) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromStdString(app_.lettersTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/lexinum.png")));

    clients_ = new QStackedWidget(this);
    setCentralWidget(clients_);
    AddPane(lettersPane);
    clients_->setCurrentWidget(lettersPane);

    QFont barFont = QApplication::font();
    barFont.setPointSize(10);
    statusBar()->setFont(barFont);
    statusBar()->setSizeGripEnabled(false);

    bitmapsFolder = app_.Settings().ReadString("GENERAL", "bitmaps", "", 259);
    BuildMenu();
    commands_.OnCommand(Command::Exit, [this] { close(); });

    // The shortcut keys: F1 asks help on what is in progress, Shift+F1 the contents.
    auto* contextHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(contextHelp, &QShortcut::activated, this, [this] { RunCommand(Command::ContextHelp); });
    auto* contents = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(contents, &QShortcut::activated, this, [this] { RunCommand(Command::HelpContents); });
}

TivFrame::~TivFrame() = default;

void TivFrame::BuildMenu() {
    for (const Popup& popup : kMenuBar) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(popup.title));
        for (const MenuItem& item : popup.items) {
            if (item.label == nullptr) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString());
            SetItemCommand(action, item.command, item.label);
            action->setCheckable(IsCheckItem(item.command));
            connect(action, &QAction::triggered, this,
                    [this, action] { RunCommand(static_cast<Command>(action->data().toInt())); });
        }
        connect(menu, &QMenu::aboutToShow, this, &TivFrame::UpdateCommands);
        menus_.append(menu);
    }
    lexiconMenu_ = menus_.at(kLexiconPosition);
}

void TivFrame::SetItemCommand(QAction* item, Command command, const char* label) {
    item->setData(CommandNumber(command));
    item->setText(QString::fromUtf8(label));
    // The bar shows an item's status tip while the item is highlighted.
    item->setStatusTip(QString::fromStdString(CommandHint(command)));
}

QAction* TivFrame::FindMenuItem(Command command) const {
    for (const QMenu* menu : menus_) {
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->data().toInt() == CommandNumber(command))
                return action;
        }
    }
    return nullptr;
}

void TivFrame::ReplaceItemCommand(Command from, Command to, const char* label) {
    if (QAction* item = FindMenuItem(from))
        SetItemCommand(item, to, label);
}

void TivFrame::RelabelItem(Command command, const char* label) {
    if (QAction* item = FindMenuItem(command))
        item->setText(QString::fromUtf8(label));
}

bool TivFrame::LexiconMenuShown() const {
    return menuBar()->actions().contains(lexiconMenu_->menuAction());
}

void TivFrame::UseNumbersMenu() {
    if (LexiconMenuShown())
        menuBar()->removeAction(lexiconMenu_->menuAction());
    else
        Prompter::Active().Tell("Suppression impossible du menu Lexique.", TivApp::kName, PromptIcon::None);
    ReplaceItemCommand(Command::PlayNumbers, Command::PlayLetters, "Jouer aux &Lettres");
    RelabelItem(Command::NewDraw, kNewNumbersLabel);
    menuBar()->update();
    UpdateCommands();
}

void TivFrame::UseLettersMenu() {
    if (!LexiconMenuShown()) {
        const QList<QAction*> bar = menuBar()->actions();
        QAction* before = bar.size() > kLexiconPosition ? bar.at(kLexiconPosition) : nullptr;
        menuBar()->insertMenu(before, lexiconMenu_);
    }
    ReplaceItemCommand(Command::PlayLetters, Command::PlayNumbers, "Jouer aux &Chiffres");
    RelabelItem(Command::NewDraw, kNewLettersLabel);
    menuBar()->update();
    UpdateCommands();
}

void TivFrame::UseCompetitionMenu() {
    ReplaceItemCommand(Command::NewDraw, Command::Continue, "&Poursuivre");
    ReplaceItemCommand(Command::ShowSolutions, Command::Check, "&Vérifier");
    menuBar()->update();
    UpdateCommands();
}

void TivFrame::UseTrainingMenu() {
    ReplaceItemCommand(Command::Check, Command::ShowSolutions, "&Voir les solutions...");
    ReplaceItemCommand(Command::Continue, Command::NewDraw, app_.lettersCurrent ? kNewLettersLabel : kNewNumbersLabel);
    menuBar()->update();
    UpdateCommands();
}

void TivFrame::AddPane(PanoWindow* pane) {
    clients_->addWidget(pane);
}

void TivFrame::SetClient(PanoWindow* pane) {
    clients_->setCurrentWidget(pane);
}

PanoWindow* TivFrame::Client() const {
    return static_cast<PanoWindow*>(clients_->currentWidget());
}

CommandRouter TivFrame::Router() const {
    const PanoWindow* pane = Client();
    return CommandRouter{pane != nullptr ? &pane->Commands() : nullptr, &commands_, &app_.Commands()};
}

bool TivFrame::RunCommand(Command command) {
    const bool ran = Router().Run(command);
    // The command may have closed the frame or changed the mode.
    UpdateCommands();
    return ran;
}

bool TivFrame::IsCommandEnabled(Command command) const {
    return Router().IsEnabled(command);
}

void TivFrame::UpdateCommands() {
    const CommandRouter router = Router();
    for (const QMenu* menu : menus_) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const auto command = static_cast<Command>(action->data().toInt());
            action->setEnabled(router.IsEnabled(command));
            if (action->isCheckable())
                action->setChecked(router.IsChecked(command));
        }
    }
    if (PanoWindow* pane = Client())
        pane->UpdateButtons(router);
}

void TivFrame::ApplyLayout() {
    const Layout& layout = Layout::Current();
    for (int i = 0; i < clients_->count(); ++i) {
        auto* pane = static_cast<PanoWindow*>(clients_->widget(i));
        pane->PlaceChildren();
    }
    if (app_.maximized) {
        clients_->setMinimumSize(0, 0);
        clients_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        return;
    }
    clients_->setFixedSize(layout.GAME_FRAME_WDTH, layout.PANE_HGHT);
    const int height = menuBar()->sizeHint().height() + layout.PANE_HGHT + statusBar()->sizeHint().height();
    setFixedSize(layout.GAME_FRAME_WDTH, height);
}

bool TivFrame::CanClose() {
    Profile& settings = app_.Settings();
    settings.WriteInt("GENERAL", "x", pos().x());
    settings.WriteInt("GENERAL", "y", pos().y());
    settings.WriteString("GENERAL", "bitmaps", bitmapsFolder);
    return true;
}

void TivFrame::closeEvent(QCloseEvent* event) {
    if (app_.CanClose())
        event->accept();
    else
        event->ignore();
}

void TivFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    TivApp::SizeType sizeType = TivApp::SizeType::Restored;
    if (isMinimized())
        sizeType = TivApp::SizeType::Minimized;
    else if (isMaximized())
        sizeType = TivApp::SizeType::Maximized;
    if (sizeType == lastSizeType_)
        return;
    lastSizeType_ = sizeType;
    app_.SetDisplayMode(sizeType);
}

} // namespace lexinum
