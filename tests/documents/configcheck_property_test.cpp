// Protects the configuration check against a second, independently shaped reading of its rules,
// line by line on thousands of random plans in which numbers collide often.
#include "platform/exceptions.h"
#include "platform/resstrings.h"
#include "tests/documents/checkplan.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

namespace {

// The expected log of a plan, and the error that ends it, if any.
struct TExpected {
    std::vector<TMessage> Lines;
    std::optional<std::string> Error;
    std::set<int> Ids;  // which findings occurred, to prove the plans reach every rule
};

// Findings of one step keyed by their place in the log; the map's order is the log's order.
using TKey = std::tuple<int, int, int, int>;
struct TFinding {
    tMsgKind Kind;
    int Id;
    std::vector<TFormatArg> Args;
};
using TStepFindings = std::map<TKey, TFinding>;

class TOracle {
public:
    explicit TOracle(const std::vector<TPlanDevice>& plan) : P(plan)
    {
        for (const TPlanDevice& d : P) {
            Msn.push_back({d.Msn1, d.Msn2});
            Num.push_back({d.Number1, d.Number2});
            // Modes 0 and 1 dial on LWL1, modes 0 and 2 on LWL2.
            Dial.push_back({d.Mode < 2, d.Mode % 2 == 0});
        }
    }

    TExpected Expect()
    {
        Heading(600);
        Heading(602);
        Write(UniqueMsns());
        Heading(603);
        Write(Callers());
        Heading(604);
        Write(Outside());
        Heading(605);
        Write(Directions());
        Heading(606);
        if (!Protocols())
            return E;
        Heading(601);
        return E;
    }

private:
    static bool Used(const std::string& n) { return n != "-"; }
    std::string Name(std::size_t i) const { return P[i].Name; }
    std::size_t N() const { return P.size(); }

    void Heading(int id) { E.Lines.push_back({mkHeading, LoadStr(id)}); }
    void Write(const TStepFindings& findings)
    {
        for (const auto& [key, f] : findings) {
            E.Lines.push_back({f.Kind, FmtLoadStr(f.Id, f.Args)});
            E.Ids.insert(f.Id);
        }
    }

    // Every pair of MSN slots, numbered device * 2 + link.
    TStepFindings UniqueMsns() const
    {
        TStepFindings out;
        for (std::size_t x = 0; x < 2 * N(); ++x)
            for (std::size_t y = x + 1; y < 2 * N(); ++y) {
                const std::size_t i = x / 2, j = y / 2;
                const int k = static_cast<int>(x % 2), l = static_cast<int>(y % 2);
                const std::string& a = Msn[i][k];
                if (!Used(a) || a != Msn[j][l])
                    continue;
                if (i == j)
                    out[{int(i), int(i), 0, 0}] = {mkError, 620, {Name(i), Name(i)}};
                else
                    out[{int(i), int(j), 1 + 2 * k + l, 0}] = {mkError, 621 + 2 * k + l, {Name(i), Name(j)}};
            }
        return out;
    }

    TStepFindings Callers() const
    {
        std::map<std::string, int> tally;
        for (const auto& numbers : Num)
            for (const std::string& n : numbers)
                if (Used(n))
                    ++tally[n];
        TStepFindings out;
        for (std::size_t q = 0; q < N(); ++q)
            for (int k = 0; k < 2; ++k) {
                const auto it = tally.find(Msn[q][k]);
                if (Used(Msn[q][k]) && it != tally.end() && it->second >= 2)
                    out[{int(q), k, 0, 0}] = {mkError, 625 + k, {Name(q), it->second}};
            }
        return out;
    }

    TStepFindings Outside() const
    {
        std::set<std::string> network;
        for (const auto& msns : Msn)
            for (const std::string& m : msns)
                if (Used(m))
                    network.insert(m);
        TStepFindings out;
        for (std::size_t r = 0; r < N(); ++r)
            for (int k = 0; k < 2; ++k)
                if (Used(Num[r][k]) && network.count(Num[r][k]) == 0)
                    out[{int(r), k, 0, 0}] = {mkWarning, 627 + k, {Name(r), Num[r][k]}};
        return out;
    }

    // Walks from the callers' side; the key puts the findings in the called device's order.
    TStepFindings Directions() const
    {
        TStepFindings out;
        for (std::size_t p = 0; p < N(); ++p)
            for (int b = 0; b < 2; ++b)
                for (std::size_t s = 0; s < N(); ++s)
                    for (int a = 0; a < 2; ++a) {
                        if ((p == s && a == b) || !Used(Num[p][b]) || Num[p][b] != Msn[s][a])
                            continue;
                        const bool calledDials = Dial[s][a], callerDials = Dial[p][b];
                        if (calledDials != callerDials)
                            continue;
                        const int id = 629 + 4 * a + 2 * b + (calledDials ? 0 : 1);
                        out[{int(s), int(p), a, b}] = {mkError, id, {Name(s), Name(p)}};
                    }
        return out;
    }

    // False when the check stops at an unexpected protocol.
    bool Protocols()
    {
        auto kind = [&](std::size_t i) {
            const int v = P[i].Protocol;
            return v == 0 ? 'D' : (v >= 12 && v <= 14 ? 'L' : '?');
        };
        // Only a device that has a later one is ever looked at as the first of a pair.
        std::size_t stop = N();
        for (std::size_t i = 0; i + 1 < N(); ++i)
            if (kind(i) == '?') {
                stop = i;
                break;
            }
        TStepFindings out;
        for (std::size_t a = 0; a < stop; ++a)
            for (std::size_t b = a + 1; b < N(); ++b) {
                if (kind(a) == 'D' && kind(b) != 'D')
                    out[{int(a), int(b), 0, 0}] = {mkWarning, 637, {Name(a), Name(b)}};
                if (kind(a) == 'L' && kind(b) == 'D')
                    out[{int(a), int(b), 0, 0}] = {mkWarning, 638, {Name(a), Name(b)}};
            }
        Write(out);
        if (stop == N())
            return true;
        E.Error = "TFrmMainWin::ActCheckExecute: falsches IsdnDChannelProtocol " + std::to_string(P[stop].Protocol);
        return false;
    }

    const std::vector<TPlanDevice>& P;
    std::vector<std::array<std::string, 2>> Msn, Num;
    std::vector<std::array<bool, 2>> Dial;
    TExpected E;
};

// A fixed generator and plain modulo keep the plans identical on every standard library.
class TPlanSource {
public:
    explicit TPlanSource(std::uint32_t seed) : FRandom(seed) {}

    std::vector<TPlanDevice> Next()
    {
        static const std::vector<std::string> numbers = {"", "-", "-", "100", "100", "101", "0100", "102", "100 "};
        static const std::vector<std::string> names = {"A", "B", "Nord", "Süd", "50%", "%s", "A"};
        static const std::vector<int> rareProtocols = {1, 5, 6, 7, 8};
        std::vector<TPlanDevice> plan(1 + Pick(6));
        for (TPlanDevice& d : plan) {
            d.Name = names[Pick(names.size())];
            d.Msn1 = numbers[Pick(numbers.size())];
            d.Msn2 = numbers[Pick(numbers.size())];
            d.Number1 = numbers[Pick(numbers.size())];
            d.Number2 = numbers[Pick(numbers.size())];
            d.Mode = static_cast<tAciomco>(Pick(4));
            d.Protocol = Pick(16) == 0 ? rareProtocols[Pick(rareProtocols.size())]
                                       : std::vector<int>{0, 12, 13, 14}[Pick(4)];
        }
        return plan;
    }

private:
    std::size_t Pick(std::size_t n) { return FRandom() % n; }
    std::mt19937 FRandom;
};

std::string Describe(const std::vector<TPlanDevice>& plan)
{
    std::ostringstream out;
    for (const TPlanDevice& d : plan)
        out << "[" << d.Name << " msn '" << d.Msn1 << "' '" << d.Msn2 << "' num '" << d.Number1 << "' '"
            << d.Number2 << "' mode " << d.Mode << " prot " << d.Protocol << "] ";
    return out.str();
}

}  // namespace

TEST(ConfigCheckProperty, MatchesAnIndependentReadingOnRandomPlans)
{
    constexpr int Plans = 4000;
    TPlanSource source(20240611);
    TPlan built({});
    std::set<int> idsSeen;
    int stopped = 0;
    int failures = 0;
    for (int n = 0; n < Plans && failures < 5; ++n) {
        const std::vector<TPlanDevice> plan = source.Next();
        const TExpected expected = TOracle(plan).Expect();
        idsSeen.insert(expected.Ids.begin(), expected.Ids.end());
        if (expected.Error)
            ++stopped;

        built.Set(plan);
        TMessageList log;
        std::optional<std::string> error;
        try {
            built.Run(log);
        } catch (const ERangeError& e) {
            error = e.what();
        }

        const bool same = log.Messages() == expected.Lines && error == expected.Error;
        if (!same) {
            ++failures;
            std::size_t at = 0;
            while (at < log.Messages().size() && at < expected.Lines.size() && log.Messages()[at] == expected.Lines[at])
                ++at;
            ADD_FAILURE() << "plan " << n << ": " << Describe(plan) << "\n first difference at line " << at << ": got '"
                          << (at < log.Messages().size() ? log.Messages()[at].Text : "<end>") << "', expected '"
                          << (at < expected.Lines.size() ? expected.Lines[at].Text : "<end>") << "'; error got '"
                          << error.value_or("none") << "', expected '" << expected.Error.value_or("none") << "'";
        }
    }

    // The comparison means something only if the plans reached every finding and the stop.
    for (int id = 620; id <= 638; ++id)
        EXPECT_TRUE(idsSeen.count(id)) << "no plan produced finding " << id;
    EXPECT_GT(stopped, 0);
    EXPECT_LT(stopped, Plans / 4);
}
