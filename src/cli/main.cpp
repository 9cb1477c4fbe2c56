// lexinum-cli: the game's solvers and lexicon tools on the command line.
#include "CliCommands.h"

#include "common/Prompter.h"
#include "common/StreamPrompter.h"

#include <cstring>
#include <iostream>

namespace lexinum::cli {

int Fail(const std::string& message) {
    std::cerr << "lexinum-cli: " << message << '\n';
    return 2;
}

} // namespace lexinum::cli

namespace {

std::vector<lexinum::cli::Command> AllCommands() {
    auto commands = lexinum::cli::LexiconCommands();
    for (auto& command : lexinum::cli::LettersCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::NumbersCommands())
        commands.push_back(command);
    for (auto& command : lexinum::cli::NumberDrawCommands())
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
    lexinum::StreamPrompter errorPrompter(std::cerr);
    lexinum::Prompter::SetActive(&errorPrompter);
    if (argc < 2) {
        PrintHelp(std::cerr);
        return 2;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(std::cout);
        return 0;
    }
    if (first == "--version") {
        std::cout << "lexinum-cli " << LEXINUM_VERSION << '\n';
        return 0;
    }
    for (const auto& command : AllCommands()) {
        if (first == command.name) {
            lexinum::cli::Arguments args(argv + 2, argv + argc);
            return command.run(args);
        }
    }
    return lexinum::cli::Fail("commande inconnue « " + first + " » (voir lexinum-cli --help)");
}
