#include "app/TivFrame.h"

#include "app/MenuStyle.h"
#include "common/Profile.h"
#include "common/Prompter.h"
#include "presentation/BitmapPalette.h"
#include "presentation/HelpKeyFilter.h"
#include "presentation/PanoWindow.h"
#include "presentation/WindowHelpTopic.h"
#include "shell/CommandCatalog.h"
#include "shell/CommandRouter.h"
#include "shell/Layout.h"
#include "shell/SettingsKeys.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <optional>
#include <vector>

namespace lexinum {

namespace {

// The items of one popup, in order; nullopt is a separator.
struct Popup {
    const char* title;
    std::vector<std::optional<Command>> items;
};

// The menu bar of the letters game in training.
const std::vector<Popup>& MenuBarItems() {
    using C = Command;
    static const std::vector<Popup> bar = {
        {"&Fichier", {C::NewMatch, C::ResumeMatch, C::SaveMatch, C::SaveMatchAs, C::QuitMatch, std::nullopt, C::Exit}},
        {"&Jeu", {C::NewDraw, C::ShowSolutions, C::PlayNumbers, C::TopTen}},
        {"&Options",
         {C::Colours, C::Fonts, C::Options, C::LetterPalette, std::nullopt, C::BitmapFile, C::BitmapPalette}},
        {"&Lexique", {C::AddWords, C::RemoveWords, C::ChangeLexicon}},
        {"&?", {C::HelpContents, C::HelpOnHelp, C::ContextHelp, std::nullopt, C::About}},
    };
    return bar;
}

// Position of the "&Lexique" popup in the menu bar.
constexpr int kLexiconPosition = 3;

bool IsCheckItem(Command command) {
    return command == Command::LetterPalette || command == Command::BitmapPalette;
}

} // namespace

TivFrame::TivFrame(TivApp& app) : app_(app), menuStyle_(std::make_unique<MenuStyle>()) {
    setWindowTitle(QString::fromUtf8(GameTitle(Game::Letters)));
    setWindowIcon(QIcon(QStringLiteral(":/icons/lexinum.png")));

    clients_ = new QStackedWidget(this);
    setCentralWidget(clients_);

    QFont barFont = QApplication::font();
    barFont.setPointSize(10);
    statusBar()->setFont(barFont);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setAccessibleName(QStringLiteral("Barre d'état"));
    menuBar()->setAccessibleName(QStringLiteral("Barre de menus"));

    bitmapsFolder = app_.Settings().ReadString(keys::kGeneral, keys::kBitmapsFolder, "", Profile::kMaxValueLength);
    BuildMenu();
    commands_.OnCommand(Command::Exit, [this] { close(); });
    commands_.OnCommand(Command::BitmapFile, [this] { ChooseBitmapFile(); });
    commands_.OnCommand(Command::BitmapPalette, [this] {
        if (bitmapPalette_ != nullptr)
            HideBitmapPalette();
        else
            ShowBitmapPalette();
    });
    commands_.CheckWhen(Command::BitmapPalette, [this] { return app_.State().BitmapPaletteShown(); });

    // The shortcut keys: F1 asks help on what is in progress, Shift+F1 the contents.
    auto* contextHelp = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(contextHelp, &QShortcut::activated, this, [this] { RunCommand(Command::ContextHelp); });
    auto* contents = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(contents, &QShortcut::activated, this, [this] { RunCommand(Command::HelpContents); });

    connect(&app_.State(), &GameState::changed, this, &TivFrame::FollowState);
}

TivFrame::~TivFrame() {
    // The menus go before the style they are drawn with.
    menuBar()->clear();
    qDeleteAll(menus_);
    menus_.clear();
}

void TivFrame::BuildMenu() {
    for (const Popup& popup : MenuBarItems()) {
        auto* menu = new QMenu(QString::fromUtf8(popup.title), this);
        menu->setStyle(menuStyle_.get());
        menuBar()->addMenu(menu);
        for (const std::optional<Command>& item : popup.items) {
            if (!item) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString());
            SetItemCommand(action, *item);
            action->setCheckable(IsCheckItem(*item));
            connect(action, &QAction::triggered, this,
                    [this, action] { RunCommand(static_cast<Command>(action->data().toInt())); });
        }
        connect(menu, &QMenu::aboutToShow, this, &TivFrame::UpdateCommands);
        // Leaving a menu takes its hint away.
        connect(menu, &QMenu::aboutToHide, statusBar(), &QStatusBar::clearMessage);
        menus_.append(menu);
    }
    lexiconMenu_ = menus_.at(kLexiconPosition);
}

void TivFrame::SetItemCommand(QAction* item, Command command) {
    item->setData(CommandNumber(command));
    item->setText(QString::fromUtf8(CommandCatalog::MenuLabel(command, menuGame_ == Game::Numbers)));
    // The bar shows an item's status tip while the item is highlighted.
    item->setStatusTip(QString::fromStdString(CommandCatalog::Hint(command)));
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

void TivFrame::ReplaceItemCommand(Command from, Command to) {
    if (QAction* item = FindMenuItem(from))
        SetItemCommand(item, to);
}

void TivFrame::RelabelItem(Command command) {
    if (QAction* item = FindMenuItem(command))
        SetItemCommand(item, command);
}

bool TivFrame::LexiconMenuShown() const {
    return menuBar()->actions().contains(lexiconMenu_->menuAction());
}

void TivFrame::UseNumbersMenu() {
    menuGame_ = Game::Numbers;
    if (LexiconMenuShown())
        menuBar()->removeAction(lexiconMenu_->menuAction());
    else
        Prompter::Active().Tell("Suppression impossible du menu Lexique.", TivApp::kName, PromptIcon::None);
    ReplaceItemCommand(Command::PlayNumbers, Command::PlayLetters);
    RelabelItem(Command::NewDraw);
    menuBar()->update();
}

void TivFrame::UseLettersMenu() {
    menuGame_ = Game::Letters;
    if (!LexiconMenuShown()) {
        const QList<QAction*> bar = menuBar()->actions();
        QAction* before = bar.size() > kLexiconPosition ? bar.at(kLexiconPosition) : nullptr;
        menuBar()->insertMenu(before, lexiconMenu_);
    }
    ReplaceItemCommand(Command::PlayLetters, Command::PlayNumbers);
    RelabelItem(Command::NewDraw);
    menuBar()->update();
}

void TivFrame::UseCompetitionMenu() {
    menuCompetition_ = true;
    ReplaceItemCommand(Command::NewDraw, Command::Continue);
    ReplaceItemCommand(Command::ShowSolutions, Command::Check);
    menuBar()->update();
}

void TivFrame::UseTrainingMenu() {
    menuCompetition_ = false;
    ReplaceItemCommand(Command::Check, Command::ShowSolutions);
    ReplaceItemCommand(Command::Continue, Command::NewDraw);
    menuBar()->update();
}

void TivFrame::FollowState() {
    const GameState& state = app_.State();
    if (PanoWindow* pane = app_.Pane(state.ShownGame()); pane != nullptr && Client() != pane) {
        clients_->setCurrentWidget(pane);
        setWindowTitle(QString::fromUtf8(GameTitle(state.ShownGame())));
        // The caption is the frame's accessible name, which a screen reader
        // keeps until it is told that it changed.
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
    }
    if (state.ShownGame() != menuGame_) {
        if (state.LettersShown())
            UseLettersMenu();
        else
            UseNumbersMenu();
    }
    if (state.Competition() != menuCompetition_) {
        if (state.Competition())
            UseCompetitionMenu();
        else
            UseTrainingMenu();
    }
    UpdateCommands();
}

void TivFrame::AddPane(PanoWindow* pane) {
    clients_->addWidget(pane);
}

PanoWindow* TivFrame::Client() const {
    return static_cast<PanoWindow*>(clients_->currentWidget());
}

CommandRouter TivFrame::Router() const {
    const PanoWindow* pane = Client();
    return CommandRouter{pane != nullptr ? &pane->Commands() : nullptr, &commands_, &app_.Commands()};
}

bool TivFrame::RunCommand(Command command) {
    return Router().Run(command);
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

QSize TivFrame::LayoutSize() const {
    const Layout& layout = app_.CurrentLayout();
    return {layout.GAME_FRAME_WDTH,
            menuBar()->sizeHint().height() + layout.PANE_HGHT + statusBar()->sizeHint().height()};
}

void TivFrame::ApplyLayout() {
    const Layout& layout = app_.CurrentLayout();
    for (int i = 0; i < clients_->count(); ++i) {
        auto* pane = static_cast<PanoWindow*>(clients_->widget(i));
        pane->PlaceChildren();
    }
    if (app_.Maximized()) {
        clients_->setMinimumSize(0, 0);
        clients_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMinimumSize(0, 0);
        return;
    }
    clients_->setFixedSize(layout.GAME_FRAME_WDTH, layout.PANE_HGHT);
    // The layout size is the smallest; no largest size is set, so that the
    // window system still offers to maximize the frame. A drag on the border
    // is undone in resizeEvent.
    setMinimumSize(LayoutSize());
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(LayoutSize());
}

void TivFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMaximized() || isMinimized() || isFullScreen())
        return;
    // The frame has no sizing border of its own: it comes back to its layout size.
    if (size() != LayoutSize()) {
        QTimer::singleShot(0, this, [this] {
            if (!isMaximized() && !isMinimized() && size() != LayoutSize())
                resize(LayoutSize());
        });
    }
}

void TivFrame::ShowProgress(const QString& text, int done, int total) {
    if (text.isEmpty()) {
        if (progressLabel_ != nullptr) {
            progressLabel_->hide();
            progressBar_->hide();
            statusBar()->setAccessibleDescription({});
        }
        return;
    }
    if (progressLabel_ == nullptr) {
        progressLabel_ = new QLabel(statusBar());
        progressBar_ = new QProgressBar(statusBar());
        progressBar_->setTextVisible(true);
        progressBar_->setFormat(QStringLiteral("%p %"));
        // As high as the bar's text, so that the frame keeps its layout size.
        progressBar_->setMaximumHeight(progressLabel_->sizeHint().height());
        progressBar_->setFixedWidth(progressLabel_->fontMetrics().averageCharWidth() * 16);
        statusBar()->addPermanentWidget(progressLabel_);
        statusBar()->addPermanentWidget(progressBar_);
    }
    progressLabel_->setText(text);
    progressBar_->setAccessibleName(text);
    progressBar_->setRange(0, std::max(1, total));
    progressBar_->setValue(std::clamp(done, 0, std::max(1, total)));
    // A screen reader asked for the message bar reads what is in progress.
    statusBar()->setAccessibleDescription(text);
    progressLabel_->show();
    progressBar_->show();
}

bool TivFrame::CanClose() {
    Profile& settings = app_.Settings();
    settings.WriteInt(keys::kGeneral, keys::kFrameX, pos().x());
    settings.WriteInt(keys::kGeneral, keys::kFrameY, pos().y());
    settings.WriteString(keys::kGeneral, keys::kBitmapsFolder, bitmapsFolder);
    if (bitmapPalette_ != nullptr)
        HideBitmapPalette();
    return true;
}

void TivFrame::ChooseBitmapFile() {
    PanoWindow* pane = Client();
    if (pane == nullptr)
        return;
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, false);
    SetHelpTopic(&dialog, HelpTopic::BitmapFile);
    dialog.setWindowTitle(QStringLiteral("Fichier bitmap"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Fichiers bitmap (*.BMP)"));
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    const QFileInfo last(lastBitmapFile_);
    if (!lastBitmapFile_.isEmpty() && last.dir().exists()) {
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    } else if (!bitmapsFolder.empty() && QDir(QString::fromStdString(bitmapsFolder)).exists()) {
        dialog.setDirectory(QString::fromStdString(bitmapsFolder));
    }
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        QPushButton* help = buttons->addButton(QStringLiteral("&Aide"), QDialogButtonBox::HelpRole);
        connect(help, &QPushButton::clicked, this, [this] { app_.RunCommand(Command::ContextHelp); });
    }
    // F1 inside the dialog's own loop asks its topic.
    const HelpKeyFilter helpKeys(app_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().first();
    lastBitmapFile_ = chosen;
    if (pane->ChooseBitmapFile(chosen.toStdString()))
        bitmapsFolder = QFileInfo(chosen).absolutePath().toStdString();
}

void TivFrame::ShowBitmapPalette() {
    if (bitmapPalette_ != nullptr)
        return;
    auto* palette = new BitmapPalette(app_, this);
    palette->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(palette, &BitmapPalette::patternChosen, this, [this](int index) {
        if (PanoWindow* pane = Client())
            pane->ChoosePattern(index);
    });
    connect(palette, &BitmapPalette::closedByPlayer, this, &TivFrame::HideBitmapPalette);
    bitmapPalette_ = palette;
    const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = shownOn != nullptr ? shownOn->geometry().size() : QSize();
    palette->adjustSize();
    // With no place kept yet, it opens just below the frame rather than over its menus.
    const bool kept = !app_.Settings().ReadString(keys::kGeneral, keys::kBitmapsX, "", 12).empty() ||
                      !app_.Settings().ReadString(keys::kGeneral, keys::kBitmapsY, "", 12).empty();
    palette->PlaceAt(kept ? BitmapPalette::SavedPosition(app_.Settings(), screenSize)
                          : QPoint(frameGeometry().left(), frameGeometry().bottom() + 1));
    palette->show();
    app_.State().SetBitmapPaletteShown(true);
}

void TivFrame::HideBitmapPalette() {
    if (bitmapPalette_ == nullptr)
        return;
    bitmapPalette_->SavePosition(app_.Settings());
    bitmapPalette_->hide();
    bitmapPalette_->deleteLater();
    bitmapPalette_ = nullptr;
    app_.State().SetBitmapPaletteShown(false);
}

void TivFrame::closeEvent(QCloseEvent* event) {
    // Asked during a wait on a worker (by the window system or a queued
    // call), the close comes once the command that waits is over.
    if (app_.Gate().Held()) {
        event->ignore();
        app_.Gate().WhenFree([this] { close(); });
        return;
    }
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
