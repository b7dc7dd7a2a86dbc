// Encoding and decoding a full sl.dat of four launcher sets (48352 bytes), the most the bar
// ever reads or writes at once.
#include <benchmark/benchmark.h>

#include <string>

#include "settings/record_layout.h"
#include "settings/save_preparation.h"

namespace {

using namespace quorvel::settings;

SettingsModel fullSet(int n) {
    SettingsModel m;
    m.RNo = std::to_string(n);
    m.txtFBk = "C:\\Users\\太郎\\Pictures\\背景.bmp";
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        LinkSlot& s = m.L[static_cast<std::size_t>(slot - 1)];
        s.T = "ｱﾌﾟﾘｹｰｼｮﾝ";
        s.N = "表計算ソフト " + std::to_string(slot);
        s.I = "C:\\Program Files\\表計算\\アイコン" + std::to_string(slot) + ".ico";
        s.P = "C:\\Program Files\\表計算\\calc" + std::to_string(slot) + ".exe";
    }
    for (int k = 1; k <= kSetCount; ++k) {
        m.LN[static_cast<std::size_t>(k - 1)] = defaultSetName(k);
    }
    prepareForSave(m, Writer::Bar);
    return m;
}

void EncodeFourSets(benchmark::State& state) {
    const SettingsModel sets[] = {fullSet(1), fullSet(2), fullSet(3), fullSet(4)};
    for (auto _ : state) {
        std::string file;
        for (const SettingsModel& m : sets) {
            file += encodeRecord(m, setRecordLayout());
        }
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 4 * 12088);
}
BENCHMARK(EncodeFourSets);

void DecodeFourSets(benchmark::State& state) {
    std::string file;
    for (int n = 1; n <= kSetCount; ++n) {
        file += encodeRecord(fullSet(n), setRecordLayout());
    }
    for (auto _ : state) {
        for (std::size_t n = 0; n < 4; ++n) {
            SettingsModel m;
            decodeRecord(std::string_view(file).substr(n * 12088, 12088), setRecordLayout(), m);
            benchmark::DoNotOptimize(m);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 4 * 12088);
}
BENCHMARK(DecodeFourSets);

}  // namespace
