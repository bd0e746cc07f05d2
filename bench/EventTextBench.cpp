// Rendering script lines as the script list shows them: a 10,000-line script that holds every
// command code (each with parameters that make it look names up), against a full database (every
// list section at its 5000-record limit), a map tree, a map with 500 events and a monster group.
#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

#include "SampleDataBase.h"
#include "data/EventScriptConverter.h"
#include "data/LD_Map.h"
#include "data/LD_MapTree.h"

using namespace tarvel;

namespace {

constexpr int kRecords = 5000;
constexpr int kLines = 10000;
constexpr int kEvents = 500;
constexpr int kMaps = 500;

// One line of each kind for a running number n, which spreads the IDs over the lists.
using LineMaker = std::function<TQelEventScriptLine(int32_t n)>;

std::vector<LineMaker> lineMakers() {
    auto id = [](int32_t n) { return 1 + (n * 37) % kRecords; };
    auto event = [](int32_t n) { return 1 + n % kEvents; };
    auto map = [](int32_t n) { return 1 + n % kMaps; };
    auto line = [](int32_t code, std::vector<int32_t> params, std::string text = {}) {
        return TQelEventScriptLine(code, 0, std::move(text), std::move(params));
    };
    std::vector<int32_t> route = {10001, 3,   1,   0,   0x00, 0x20, 0x05, 0x22,
                                  0x06,  'A', 'c', 't', 'o',  'r',  '1',  0x02};
    for (int i = 0; i < 12; ++i)
        route.push_back(i % 32);
    return {
        [=](int32_t) { return line(0, {}); },
        [=](int32_t) { return line(10, {}); },
        [=](int32_t) { return line(10110, {}, "A message line of average length."); },
        [=](int32_t) { return line(20110, {}, "And a second one."); },
        [=](int32_t) {
            return line(10120, {1, 2, 0, 1});
        },
        [=](int32_t n) {
            return line(10130, {n % 8, n % 2, 1}, "Face1");
        },
        [=](int32_t) { return line(10140, {5}, "Yes/No/Maybe"); },
        [=](int32_t n) { return line(20140, {n % 5}, "Yes"); },
        [=](int32_t) { return line(20141, {}); },
        [=](int32_t n) {
            return line(10150, {4, id(n)});
        },
        [=](int32_t n) {
            return line(10210, {n % 3, id(n), id(n) + 3, n % 3});
        },
        [=](int32_t n) {
            return line(10220, {0, id(n), id(n), n % 6, n % 9, id(n + 1), n % 6});
        },
        [=](int32_t n) {
            return line(10230, {0, n % 2, 125 + n % 600, 1, 0});
        },
        [=](int32_t n) {
            return line(10310, {0, n % 2, 100});
        },
        [=](int32_t n) {
            return line(10320, {n % 2, 0, id(n), 0, 5});
        },
        [=](int32_t n) {
            return line(10330, {0, 0, id(n)});
        },
        [=](int32_t n) {
            return line(10410, {1, id(n), 0, 0, 100, 1});
        },
        [=](int32_t n) {
            return line(10420, {n % 3, id(n), 1, 0, 2, 0});
        },
        [=](int32_t n) {
            return line(10430, {1, id(n), 0, n % 6, 0, 10});
        },
        [=](int32_t n) {
            return line(10440, {1, id(n), 0, 0, id(n + 2)});
        },
        [=](int32_t n) {
            return line(10450, {1, id(n), n % 2, n % 2 ? 5 : 0, id(n)});
        },
        [=](int32_t n) {
            return line(10460, {0, 0, 1, 0, 50, 0});
        },
        [=](int32_t n) {
            return line(10470, {1, id(n), 0, 1, 4});
        },
        [=](int32_t n) {
            return line(10480, {1, id(n), 0, id(n + 5)});
        },
        [=](int32_t n) {
            return line(10490, {1, id(n)});
        },
        [=](int32_t n) {
            return line(10500, {1, id(n), 120, 100, 0, 5, 0, 0});
        },
        [=](int32_t n) { return line(10610, {id(n)}, "Alex"); },
        [=](int32_t n) { return line(10620, {id(n)}, "Knight"); },
        [=](int32_t n) {
            return line(10630, {id(n), 3, 0}, "Actor1");
        },
        [=](int32_t n) {
            return line(10640, {id(n), 2}, "Face1");
        },
        [=](int32_t n) {
            return line(10650, {n % 3, 1}, "Ship1");
        },
        [=](int32_t n) {
            return line(10660, {n % 7, 0, 100, 100, 50}, "Battle2");
        },
        [=](int32_t n) {
            return line(10670, {n % 12, 100, 100, 50}, "Bell");
        },
        [=](int32_t) {
            return line(10680, {0, 1}, "System2");
        },
        [=](int32_t n) {
            return line(10690, {n % 6, n % 20});
        },
        [=](int32_t n) {
            return line(10710, {0, id(n), 1, 2, 1, 1}, "Castle");
        },
        [=](int32_t) { return line(20710, {}); },
        [=](int32_t) { return line(20711, {}); },
        [=](int32_t) { return line(20712, {}); },
        [=](int32_t) { return line(20713, {}); },
        [=](int32_t n) {
            return line(10720, {0, 0, 1, 0, id(n), id(n + 1), id(n + 2), id(n + 3), id(n + 4)});
        },
        [=](int32_t) { return line(20720, {}); },
        [=](int32_t) { return line(20721, {}); },
        [=](int32_t) { return line(20722, {}); },
        [=](int32_t) {
            return line(10730, {0, 150, 1});
        },
        [=](int32_t) { return line(20730, {}); },
        [=](int32_t) { return line(20731, {}); },
        [=](int32_t) { return line(20732, {}); },
        [=](int32_t n) {
            return line(10740, {id(n), 0, 1});
        },
        [=](int32_t n) {
            return line(10810, {map(n), 10, 12});
        },
        [=](int32_t) {
            return line(10820, {1, 2, 3});
        },
        [=](int32_t) {
            return line(10830, {1, 2, 3});
        },
        [=](int32_t) { return line(10840, {}); },
        [=](int32_t n) {
            return line(10850, {n % 3, 0, map(n), 4, 5});
        },
        [=](int32_t n) {
            return line(10860, {event(n), 0, 3, 4});
        },
        [=](int32_t n) {
            return line(10870, {event(n), event(n + 7)});
        },
        [=](int32_t n) {
            return line(10910, {0, 3, 4, id(n)});
        },
        [=](int32_t n) {
            return line(10920, {1, 5, 6, id(n)});
        },
        [=](int32_t n) { return line(11010, {n % 22 - 1}); },
        [=](int32_t n) { return line(11020, {n % 21 - 1}); },
        [=](int32_t) {
            return line(11030, {100, 50, 0, 200, 15, 1});
        },
        [=](int32_t) {
            return line(11040, {31, 0, 5, 16, 7, 0});
        },
        [=](int32_t) {
            return line(11050, {5, 9, 30, 1});
        },
        [=](int32_t n) {
            return line(11060, {n % 4, 3, 10, 4, 1});
        },
        [=](int32_t n) {
            return line(11070, {n % 3, 1});
        },
        [=](int32_t) {
            return line(11110, {3, 0, 160, 120, 0, 100, 0, 1, 100, 100, 100, 100, 0, 0}, "Picture");
        },
        [=](int32_t) {
            return line(11120, {2, 0, 10, -20, 0, 100, 0, 0, 100, 100, 100, 100, 0, 0, 25, 1});
        },
        [=](int32_t) { return line(11130, {7}); },
        [=](int32_t n) {
            return line(11210, {id(n), event(n), 1, 0});
        },
        [=](int32_t n) { return line(11310, {n % 2}); },
        [=](int32_t n) {
            return line(11320, {event(n), 31, 0, 0, 20, 12, 1});
        },
        [=](int32_t) { return line(11330, route); },
        [=](int32_t) { return line(11340, {}); },
        [=](int32_t) { return line(11350, {}); },
        [=](int32_t) { return line(11410, {25}); },
        [=](int32_t) {
            return line(11510, {0, 100, 100, 50}, "Town");
        },
        [=](int32_t) { return line(11520, {5000}); },
        [=](int32_t) { return line(11530, {}); },
        [=](int32_t) { return line(11540, {}); },
        [=](int32_t) {
            return line(11550, {100, 100, 50}, "Bell");
        },
        [=](int32_t) {
            return line(11560, {0, 10, 20, 320, 240}, "Intro");
        },
        [=](int32_t n) {
            return line(11610, {id(n), 1, 1, 1, 1});
        },
        [=](int32_t n) { return line(11710, {id(n)}); },
        [=](int32_t) {
            return line(11720, {1, 1, 1, -3, 1, 4}, "Sky");
        },
        [=](int32_t) { return line(11740, {25}); },
        [=](int32_t) {
            return line(11750, {1, 4, 10});
        },
        [=](int32_t n) {
            return line(11810, {n % 2, map(n), 3, 4, 0, 0});
        },
        [=](int32_t n) { return line(11820, {n % 2}); },
        [=](int32_t n) {
            return line(11830, {map(n), 8, 9, 0, 0});
        },
        [=](int32_t n) { return line(11840, {n % 2}); },
        [=](int32_t) { return line(11910, {}); },
        [=](int32_t n) { return line(11930, {n % 2}); },
        [=](int32_t) { return line(11950, {}); },
        [=](int32_t n) { return line(11960, {n % 2}); },
        [=](int32_t n) {
            return line(12010, {n % 10, n % 10 == 6 ? event(n) : id(n), n % 7, id(n + 3), n % 6, 1});
        },
        [=](int32_t) { return line(22010, {}); },
        [=](int32_t) { return line(22011, {}); },
        [=](int32_t n) { return line(12110, {1 + n % 100}); },
        [=](int32_t n) { return line(12120, {1 + n % 100}); },
        [=](int32_t) { return line(12210, {}); },
        [=](int32_t) { return line(22210, {}); },
        [=](int32_t) { return line(12220, {}); },
        [=](int32_t) { return line(12310, {}); },
        [=](int32_t) { return line(12320, {}); },
        [=](int32_t n) {
            return line(12330, {n % 3, n % 3 == 1 ? event(n) : id(n), 1});
        },
        [=](int32_t) { return line(12410, {}, "A comment."); },
        [=](int32_t) { return line(22410, {}, "Its second line."); },
        [=](int32_t) { return line(12420, {}); },
        [=](int32_t) { return line(12510, {}); },
        [=](int32_t n) {
            return line(13110, {n % 8, 0, 0, 50, 0});
        },
        [=](int32_t n) {
            return line(13120, {n % 9 - 1, 1, 1, 3});
        },
        [=](int32_t n) {
            return line(13130, {n % 8, 0, id(n)});
        },
        [=](int32_t n) { return line(13150, {n % 8}); },
        [=](int32_t) { return line(13210, {}, "Castle"); },
        [=](int32_t n) {
            return line(13260, {id(n), n % 9 - 1, 1});
        },
        [=](int32_t n) {
            return line(13310, {n % 4, n % 4 >= 2 ? n % 8 : id(n), n % 2, 3, n % 6, 1});
        },
        [=](int32_t) { return line(23310, {}); },
        [=](int32_t) { return line(23311, {}); },
        [=](int32_t) { return line(13410, {}); },
        [=](int32_t) { return line(99999, {}); },
    };
}

// The database, tree, map, group and script, made once.
struct Scene {
    TQelDataBase db;
    TQelMapTree tree;
    TQelMap map{1};
    TQelEventScriptList script;
    TEventScriptContext context;

    Scene() {
        test::FillSampleDataBase(db, kRecords, 4);
        tree.AddNode(0, 0)->Name = "Game";
        for (int32_t id = 1; id <= kMaps; ++id)
            tree.AddMapNode(id == 1 ? 0 : 1, id)->Name = "Map number " + std::to_string(id);
        map.Reset();
        for (int32_t id = 1; id <= kEvents; ++id)
            map.Events.FindOrCreate(id)->Name = "EV" + std::to_string(id);
        TQelMonGroupItem* group = db.MonGroups().Find(1);
        group->Members.Clear();
        for (int32_t m = 1; m <= 8; ++m)
            group->Members.FindOrCreate(m)->MonsterID = m * 100;
        auto makers = lineMakers();
        for (int n = 0; n < kLines; ++n)
            script.Add(makers[static_cast<size_t>(n) % makers.size()](n))->Indent = n % 5;
        context.EventID = 3;
        context.Event = map.Events.Find(3);
        context.MapTree = &tree;
        context.Map = &map;
        context.MonGroup = group;
        context.DataBase = &db;
    }
};

Scene& scene() {
    static Scene instance;
    return instance;
}

// Lines rendered per second (items) over the whole script, indentation included.
void BM_DescribeLines(benchmark::State& state) {
    Scene& s = scene();
    TEventScriptConverter converter(s.context);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (const auto& line : s.script) {
            std::string text = converter.DescribeLine(*line);
            bytes += text.size();
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * s.script.Count());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
    state.counters["lines"] = s.script.Count();
    state.counters["kinds"] = static_cast<double>(lineMakers().size());
    // Every line is meant to render: a broken one would measure the error path instead.
    int broken = 0;
    for (const auto& line : s.script)
        broken += converter.DescribeLine(*line) == BrokenLineText;
    state.counters["broken"] = broken;
}
BENCHMARK(BM_DescribeLines)->Unit(benchmark::kMillisecond);

} // namespace
