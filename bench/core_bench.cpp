// SPDX-License-Identifier: MIT
// One Enter handled end to end in the core, for a formula of every equation
// row; one formula chosen; the value format and the strict reader alone.
// Every benchmark also reports the heap allocations of one iteration.
#include "catalogue/catalogue.h"
#include "core/format.h"
#include "core/output_selection.h"
#include "core/parse.h"
#include "core/value_entry.h"

#include <array>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> allocations{0};

} // namespace

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

// GCC cannot see that the replaced operator new above allocates with malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
#pragma GCC diagnostic pop

namespace kalvo {
namespace {

// Counts the allocations made while the benchmark's loop runs.
class AllocationCounter {
public:
    explicit AllocationCounter(benchmark::State& state) : m_state(state), m_start(allocations.load()) {}
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;
    ~AllocationCounter()
    {
        const auto made = static_cast<double>(allocations.load() - m_start);
        m_state.counters["allocs"] = benchmark::Counter(made / static_cast<double>(m_state.iterations()));
    }

private:
    benchmark::State& m_state;
    long m_start;
};

// A formula for every row of the equation table.
constexpr std::array<const char*, 19> FormulaOfEveryRow{
    "Ohm",       "Einstein",      "Linse",    "Potenz",     "Barkhausen",    "db1",          "dB2",
    "Np",        "Grenzfrequenz", "Resonanz", "AnzahlZeit", "Halbwertszeit", "Zeitreziprok", "Arrhenius",
    "Arrhenmol", "Kopfabstand",   "ZeitRC",   "GasIdeal",   "Kanalkapazität"};

void enterInB(benchmark::State& state, const CatalogueEntry* entry)
{
    Calculator calc;
    form_Load(calc);
    ChooseFormula(calc, *entry);
    A_Command_Click(calc);
    const AllocationCounter counter(state);
    for (auto _ : state) {
        calc.window.B_Text.text = "2,5";
        B_Text_KeyPress(calc, EnterKey);
        benchmark::DoNotOptimize(calc.state.ValueA);
    }
}

void chooseFormula(benchmark::State& state)
{
    Calculator calc;
    form_Load(calc);
    const CatalogueEntry& entry = *FindEntry("Kanalkapazität");
    const AllocationCounter counter(state);
    for (auto _ : state) {
        ChooseFormula(calc, entry);
        benchmark::DoNotOptimize(calc.state.ValueA);
    }
}

void formatValue(benchmark::State& state)
{
    const std::array<Number, 4> values{Number::real(1234.5), Number::single(0.1F), Number::real(-9.99996E-21),
                                       Number::integer(331)};
    std::size_t i = 0;
    const AllocationCounter counter(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatValue(values[i++ % values.size()]));
    }
}

void parseStrict(benchmark::State& state)
{
    const std::array<const char*, 4> texts{"1,2345E+3", "0.5", "-42", "2,2711E+3"};
    std::size_t i = 0;
    const AllocationCounter counter(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseStrict(texts[i++ % texts.size()]));
    }
}

} // namespace
} // namespace kalvo

int main(int argc, char** argv)
{
    for (const char* name : kalvo::FormulaOfEveryRow) {
        const kalvo::CatalogueEntry* entry = kalvo::FindEntry(name);
        benchmark::RegisterBenchmark((std::string("Enter/") + name).c_str(), kalvo::enterInB, entry);
    }
    benchmark::RegisterBenchmark("ChooseFormula", kalvo::chooseFormula);
    benchmark::RegisterBenchmark("FormatValue", kalvo::formatValue);
    benchmark::RegisterBenchmark("ParseStrict", kalvo::parseStrict);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
