// The numbers draw subcommand of lexinum-cli.
#include "CliCommands.h"
#include "CliSupport.h"

#include "common/Random15.h"
#include "numbers/NumberDraw.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <sstream>

namespace lexinum::cli {

namespace {

// Reads a whole decimal number (an optional minus sign, then digits only).
// Returns nothing for a mistyped one; a number too large for 64 bits is read
// as the largest so that the range check reports it.
std::optional<std::int64_t> ReadInteger(const std::string& text) {
    std::int64_t value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (text.empty() || text == "-")
        return std::nullopt;
    const auto [end, error] = std::from_chars(first, last, value);
    if (end != last)
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return text[0] == '-' ? INT64_MIN : INT64_MAX;
    if (error != std::errc())
        return std::nullopt;
    return value;
}

// What the command line asks for.
struct DrawRequest {
    bool json = false;
    bool free = false;
    std::optional<std::uint32_t> seed;
    int minTarget = NumberDraw::kCompetitionMinTarget;
    int maxTarget = NumberDraw::kCompetitionMaxTarget;
};

// Reads the value of option `name` into a target bound; returns an error
// message, empty when the value is good.
std::string ReadBound(const std::string& name, const std::string& text, int& bound) {
    const auto value = ReadInteger(text);
    if (!value)
        return "« " + Shown(text) + " » n'est pas un nombre entier (option " + name + ")";
    if (*value < NumberDraw::kLowestTarget || *value > NumberDraw::kHighestTarget)
        return "la valeur de " + name + " doit être entre " + std::to_string(NumberDraw::kLowestTarget) + " et " +
               std::to_string(NumberDraw::kHighestTarget) + " (reçu : " + Shown(text) + ")";
    bound = static_cast<int>(*value);
    return {};
}

// Reads the arguments; returns an error message, empty when they are good.
std::string ReadRequest(const Arguments& args, DrawRequest& request) {
    ParsedOptions parsed;
    std::string error;
    if (!ParseOptions(args, {"--seed", "--min", "--max"}, {"--json", "--free"}, parsed, error) ||
        !ReadSeed(parsed, request.seed, error))
        return error;
    if (!parsed.positional.empty())
        return "argument inattendu « " + Shown(parsed.positional.front()) +
               " » (draw-numbers ne prend que des options)";
    request.json = parsed.Has("--json");
    request.free = parsed.Has("--free");
    if (parsed.values.count("--min") != 0)
        if (auto problem = ReadBound("--min", parsed.Value("--min"), request.minTarget); !problem.empty())
            return problem;
    if (parsed.values.count("--max") != 0)
        if (auto problem = ReadBound("--max", parsed.Value("--max"), request.maxTarget); !problem.empty())
            return problem;
    if (request.minTarget > request.maxTarget)
        return "le minimum (" + std::to_string(request.minTarget) + ") est plus grand que le maximum (" +
               std::to_string(request.maxTarget) + ")";
    return {};
}

constexpr const char* kUsage = "draw-numbers [--json] [--seed S] [--free] [--min A] [--max B]";

int RunDrawNumbers(const Arguments& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << "Usage : lexinum-cli " << kUsage << "\n\n"
                  << "Tire six nombres et un compte à atteindre, comme le jeu « Le compte est bon ».\n"
                  << "  --free      six nombres libres de 1 à 100 (sinon six des 24 plaques)\n"
                  << "  --min A     plus petit compte possible (1 à 32767, 101 par défaut)\n"
                  << "  --max B     plus grand compte possible (1 à 32767, 999 par défaut)\n"
                  << "  --seed S    graine du tirage, pour le rejouer (0 à 4294967295)\n"
                  << "  --json      sortie {\"numbers\": [...], \"target\": T}\n"
                  << "Sans --json : les six nombres puis le compte, sur une ligne.\n";
        return 0;
    }
    DrawRequest request;
    if (const auto error = ReadRequest(args, request); !error.empty())
        return Fail("draw-numbers : " + error);
    if (request.seed)
        Random15::Seed(*request.seed);
    const NumberDraw draw = NumberDraw::Training(!request.free, request.minTarget, request.maxTarget);

    std::ostringstream out;
    if (request.json) {
        out << "{\"numbers\": [";
        for (std::size_t i = 0; i < draw.numbers.size(); ++i)
            out << (i ? ", " : "") << draw.numbers[i];
        out << "], \"target\": " << draw.target << "}\n";
    } else {
        // The six numbers then the target: the arguments of the numbers command.
        for (int number : draw.numbers)
            out << number << ' ';
        out << draw.target << '\n';
    }
    std::cout << out.str();
    return 0;
}

} // namespace

std::vector<Command> NumberDrawCommands() {
    return {
        {"draw-numbers",
         "draw-numbers [--json] [--seed S] [--free] [--min A] [--max B]   tire six nombres et un compte",
         RunDrawNumbers},
    };
}

} // namespace lexinum::cli
