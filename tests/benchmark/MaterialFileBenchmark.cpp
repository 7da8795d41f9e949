// Load and save of material files of 1,000, 10,000 and 100,000 materials, and
// a bare loop that only reads the lines and converts the numbers of the same
// file, as the floor that a load is measured against. "per_material" is the
// wall-clock time per material (a save waits for the disk).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "MaterialFile.h"
#include "MaterialProperty.h"
#include "NumberText.h"
#include "TextSink.h"

namespace {

std::filesystem::path benchmarkFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path path = std::filesystem::temp_directory_path() / "pralvik-benchmark";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

// A list of `count` materials with names and values of the everyday kind.
MaterialList makeList(int count) {
  MaterialList head = createNode();
  MaterialNode* last = head;
  for (int i = 0; i < count; ++i) {
    Material* material = createMaterial();
    std::string name = "Steel grade " + std::to_string(100000 + i) + " normalised";
    material->setName(name.c_str());
    double scale = 1.0 + (i % 97) / 100.0;
    material->setDensity(7.85 * scale);
    material->setYoungModulus(210 * scale);
    material->setPoissonRatio(0.3);
    material->setYieldStrength(235 * scale);
    material->setTensileStrength(360 * scale);
    material->setThermalConductivity(50.5 * scale);
    material->setLinearExpansion(1.2 * scale);
    material->setSpecificHeat(460 + i % 13);
    if (i == 0) {
      head->setMaterial(material);
    } else {
      last = appendAfter(last, material);
    }
  }
  return head;
}

// The file of `count` materials, written once per size.
std::string fileOf(int count) {
  std::string path = (benchmarkFolder() / ("materials-" + std::to_string(count) + ".mat")).string();
  if (!std::filesystem::exists(path)) {
    MaterialList head = makeList(count);
    if (!saveMaterialFile(head, path.c_str())) std::abort();
    releaseList(head);
  }
  return path;
}

void perMaterial(benchmark::State& state) {
  state.counters["per_material"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_Load(benchmark::State& state) {
  std::string path = fileOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MaterialList head = loadMaterialFile(path.c_str());
    benchmark::DoNotOptimize(head);
    releaseList(head);
  }
  perMaterial(state);
}

// Lines split and numbers converted, nothing stored: what any reader of this
// format must pay at least.
void BM_BareReadAndConvert(benchmark::State& state) {
  std::string path = fileOf(static_cast<int>(state.range(0)));
  char* line = nullptr;
  std::size_t capacity = 0;
  for (auto _ : state) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    double sum = 0;
    ssize_t length;
    while ((length = getline(&line, &capacity, file)) > 0) {
      if (line[0] != ' ') continue;
      const char* c = line;
      const char* end = line + length;
      while (c < end) {
        while (c < end && isNumberSpace(*c)) ++c;
        const char* token = c;
        while (c < end && !isNumberSpace(*c)) ++c;
        if (token < c) sum += textToNumber(token, c);
      }
    }
    std::fclose(file);
    benchmark::DoNotOptimize(sum);
  }
  std::free(line);
  perMaterial(state);
}

// The whole save: temporary file, fsync, rename, directory sync.
void BM_Save(benchmark::State& state) {
  MaterialList head = makeList(static_cast<int>(state.range(0)));
  std::string path = (benchmarkFolder() / "saved.mat").string();
  for (auto _ : state) {
    if (!saveMaterialFile(head, path.c_str())) state.SkipWithError("save failed");
  }
  releaseList(head);
  perMaterial(state);
}

class DiscardingSink : public TextSink {
 public:
  int write(const char* text, std::size_t length) override {
    benchmark::DoNotOptimize(text);
    bytes += length;
    return 1;
  }
  int close() override { return 1; }
  std::size_t bytes = 0;
};

// The save without the disk: formatting and writing through the sink.
void BM_WriteText(benchmark::State& state) {
  MaterialList head = makeList(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    DiscardingSink sink;
    writeMaterialText(head, sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
  releaseList(head);
  perMaterial(state);
}

BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareReadAndConvert)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteText)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
