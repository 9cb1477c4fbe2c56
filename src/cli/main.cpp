// lexinum-cli: the game's solvers and lexicon tools on the command line.
#include "CliCommands.h"
#include "CliSupport.h"

#include "common/Prompter.h"
#include "common/SystemError.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace lexinum::cli {

int Fail(const std::string& message) {
    std::cerr << "lexinum-cli: " << ForErrorStream(message) << '\n';
    return 2;
}

int FinishOutput(int code) {
    // Whatever was written must have reached its destination (a full disk,
    // a closed pipe): a result that was not written is no success.
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        // The reason is known only when this very flush failed.
        const int error = errno;
        std::cout.clear();
        const int failed =
            Fail("impossible d'écrire le résultat" + (error != 0 ? " : " + SystemError::Text(error) : std::string()));
        return code != 0 ? code : failed;
    }
    return code;
}

} // namespace lexinum::cli

namespace {

std::vector<lexinum::cli::Command> AllCommands() {
    auto commands = lexinum::cli::LexiconCommands();
    for (auto& command : lexinum::cli::LexiconEditCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::LettersCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::NumbersCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::NumberDrawCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::SavedGameCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::TopTenCommands())
        commands.push_back(command);
    return commands;
}

void PrintHelp(std::ostream& out) {
    out << "lexinum-cli " << LEXINUM_VERSION << " — solveurs et outils du jeu Lexinum\n\n"
        << "Usage : lexinum-cli COMMANDE [OPTIONS] ARGUMENTS\n\n"
        << "Commandes :\n";
    for (const auto& command : AllCommands())
        out << "  " << command.usage << '\n';
    out << "\nOptions générales :\n"
        << "  --help       affiche cette aide\n"
        << "  --version    affiche la version\n";
}

} // namespace

int main(int argc, char** argv) {
    lexinum::cli::ErrorStreamPrompter errorPrompter;
    lexinum::Prompter::SetActive(&errorPrompter);
    if (argc < 2) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(std::cout);
        return lexinum::cli::FinishOutput(0);
    }
    if (first == "--version") {
        std::cout << "lexinum-cli " << LEXINUM_VERSION << '\n';
        return lexinum::cli::FinishOutput(0);
    }
    for (const auto& command : AllCommands()) {
        if (first == command.name) {
            lexinum::cli::Arguments args(argv + 2, argv + argc);
            lexinum::cli::NoteArguments(args);
            return lexinum::cli::FinishOutput(command.run(args));
        }
    }
    return lexinum::cli::Fail("commande inconnue « " + lexinum::cli::Shown(first) + " » (voir lexinum-cli --help)");
}
