// The numbers game subcommands of lexinum-cli: every solution of a draw, and
// the computer's own answer at a level.
#include "CliCommands.h"
#include "CliSupport.h"

#include "common/Random15.h"
#include "common/SearchChannel.h"
#include "numbers/NumbersSolver.h"

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace lexinum::cli {

namespace {

constexpr int kMaxNumber = 1000;
constexpr int kMaxTarget = 32767;

using Numbers = std::array<int, NumbersSolver::kNumbers>;

// Reads the six numbers and the target; gives false and a French error text.
bool ReadDraw(const std::vector<std::string>& positional, Numbers& numbers, int& target, std::string& error) {
    if (positional.size() != NumbersSolver::kNumbers + 1) {
        error = "il faut six nombres puis le compte à atteindre (reçu " + std::to_string(positional.size()) +
                " argument" + (positional.size() > 1 ? "s" : "") + ")";
        return false;
    }
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!ParseInt(positional[i], 1, kMaxNumber, numbers[i])) {
            error = "« " + Shown(positional[i]) +
                    " » n'est pas un nombre valable : chaque nombre est un entier de 1 à " + std::to_string(kMaxNumber);
            return false;
        }
    }
    if (!ParseInt(positional.back(), 1, kMaxTarget, target)) {
        error = "« " + Shown(positional.back()) +
                " » n'est pas un compte valable : le compte à atteindre est un entier de 1 à " +
                std::to_string(kMaxTarget);
        return false;
    }
    return true;
}

// The lines of a printed calculation, without their indentation.
std::vector<std::string> CalculationLines(const Pile& pile) {
    std::string text;
    NumbersSolver::PrintPile(pile, text);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(NumberRules::kLineBreak, start);
        if (end == std::string::npos)
            end = text.size();
        const std::size_t first = text.find_first_not_of(' ', start);
        if (first < end)
            lines.push_back(text.substr(first, end - first));
        start = end + std::string_view(NumberRules::kLineBreak).size();
    }
    return lines;
}

std::string JsonLines(const std::vector<std::string>& lines) {
    std::string out = "[";
    for (std::size_t i = 0; i < lines.size(); ++i)
        out += (i ? ", " : "") + JsonString(lines[i]);
    return out + "]";
}

std::string JsonNumbers(const Numbers& numbers) {
    std::string out = "[";
    for (std::size_t i = 0; i < numbers.size(); ++i)
        out += (i ? ", " : "") + std::to_string(numbers[i]);
    return out + "]";
}

// Prints a results-box text with the terminal's line breaks, ending it with one.
void PrintText(const std::string& text) {
    std::cout << ForOutput(text);
    if (!text.empty() && text.back() != '\n')
        std::cout << '\n';
}

int Solutions(const Arguments& args) {
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {}, {"--json"}, parsed, error))
        return Fail(error + " (usage : lexinum-cli numbers [--json] N1 N2 N3 N4 N5 N6 COMPTE)");
    Numbers numbers{};
    int target = 0;
    if (!ReadDraw(parsed.positional, numbers, target, error))
        return Fail(error);
    const bool json = parsed.Has("--json");

    NumbersSolver solver;
    solver.SetDraw(numbers, target);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&solver](SearchChannel& c) { solver.SolutionsSearch(c); });

    std::string solutions;
    std::size_t found = 0;
    while (channel.WaitBatch()) {
        const bool closing = channel.Complete();
        const std::string text = channel.TakeText();
        if (!json)
            PrintText(text);
        else if (!closing)
            solutions += (found++ ? ", " : "") + JsonLines(CalculationLines(solver.LastSolution()));
        channel.Continue();
    }
    channel.Join();
    if (!json)
        return 0;

    std::cout << "{\"numbers\": " << JsonNumbers(numbers) << ", \"target\": " << target
              << ", \"exact\": " << (solver.ExactFound() ? "true" : "false")
              << ", \"simplest_ops\": " << (solver.ExactFound() ? std::to_string(solver.SimplestOps()) : "null")
              << ", \"solutions\": [" << solutions << "]";
    if (!solver.ExactFound()) {
        const Pile& best = solver.BestExpression();
        std::cout << ", \"nearest\": {\"value\": " << NumbersSolver::PileValue(best)
                  << ", \"distance\": " << solver.BestDistance() << ", \"lines\": " << JsonLines(CalculationLines(best))
                  << "}";
    }
    std::cout << "}\n";
    return 0;
}

int Computer(const Arguments& args) {
    constexpr const char* usage =
        " (usage : lexinum-cli computer-numbers --level NIVEAU [--seed GRAINE] [--json] N1 N2 N3 N4 N5 N6 COMPTE)";
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {"--level", "--seed"}, {"--json"}, parsed, error))
        return Fail(error + usage);
    if (!parsed.values.count("--level"))
        return Fail(std::string("le niveau est obligatoire") + usage);
    int level = 0;
    const std::string levelText = parsed.Value("--level");
    if (!ParseInt(levelText, NumbersSolver::kMinLevel, NumbersSolver::kMaxLevel, level))
        return Fail("« " + Shown(levelText) + " » n'est pas un niveau valable : de 1 (débutant) à 6 (imbattable)");
    std::optional<std::uint32_t> seed;
    if (!ReadSeed(parsed, seed, error))
        return Fail(error);
    if (seed)
        Random15::Seed(*seed);
    Numbers numbers{};
    int target = 0;
    if (!ReadDraw(parsed.positional, numbers, target, error))
        return Fail(error);

    NumbersSolver solver;
    solver.SetDraw(numbers, target);
    solver.SetLevel(level);
    solver.ClearPiles();
    SearchChannel channel;
    channel.Start([&solver](SearchChannel& c) { solver.ComputerSearch(c); });
    channel.WaitComputer();
    channel.Join();
    std::string text = channel.TakeText();

    const Pile& calculation = solver.ComputerExpression();
    if (parsed.Has("--json")) {
        const int result = solver.ComputerResult();
        std::cout << "{\"exact\": " << (solver.ComputerExact() ? "true" : "false") << ", \"result\": " << result
                  << ", \"distance\": " << std::abs(result - target)
                  << ", \"ops\": " << (calculation.Count() > 0 ? (calculation.Count() - 1) / 2 : 0)
                  << ", \"lines\": " << JsonLines(CalculationLines(calculation)) << "}\n";
        return 0;
    }
    // What the results box shows after the round when nobody gave an answer.
    if (!solver.ComputerExact())
        solver.ClosingText(text);
    PrintText(text);
    return 0;
}

} // namespace

std::vector<Command> NumbersCommands() {
    return {
        {"numbers",
         "numbers [--json] N1 N2 N3 N4 N5 N6 COMPTE   toutes les solutions d'un tirage, la plus simple d'abord",
         Solutions},
        {"computer-numbers",
         "computer-numbers --level NIVEAU [--seed GRAINE] [--json] N1 … N6 COMPTE   la réponse de l'ordinateur "
         "(niveau 1 à 6)",
         Computer},
    };
}

} // namespace lexinum::cli
