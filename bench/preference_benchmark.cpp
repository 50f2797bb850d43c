// The preference store against libinih (parse) and SimpleIni (load, set one
// value, save) on the same files in the same run.
#include <benchmark/benchmark.h>
#include <ini.h>

#define SI_NO_CONVERSION  // UTF-8 passes through unchanged, as in our store
#include <SimpleIni.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/configuration.h"
#include "core/preference_file.h"
#include "runtime/utf8.h"

namespace {

std::filesystem::path benchFolder() {
  static const std::filesystem::path folder = [] {
    auto path = std::filesystem::temp_directory_path() / "wordhop-bench";
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

// The default file, or one with `keys` entries in the group Entries.
std::filesystem::path benchFile(int keys) {
  const auto path = benchFolder() / ("bench-" + std::to_string(keys) + ".ini");
  if (keys == 0) {
    core::writeDefaultConfiguration(path.wstring());
  } else {
    std::ofstream out(path, std::ios::binary);
    out << "\xEF\xBB\xBF\r\n[Browser]\r\nBrowserStart = 2500\r\nTabDelay = 500\r\n[Entries]\r\n";
    for (int i = 1; i <= keys; ++i)
      out << i
          << " = 1\xC3\x97www.purebasic.fr/english | www.purebasic.fr/french\xC3\x97"
             "1\xC3\x97"
             "0\xC3\x97"
          << "0\xC3\x97\xC3\x97"
             "Search both websites for PB and API content\r\n";
  }
  return path;
}

void storeReadAll(benchmark::State& state) {
  const std::wstring file = benchFile(static_cast<int>(state.range(0))).wstring();
  for (auto _ : state) {
    core::PreferenceFile store;
    store.open(file);
    store.selectGroup(L"Entries");
    store.examineKeys();
    std::size_t total = 0;
    while (store.nextKey()) total += store.keyValue().size();
    store.selectGroup(L"Browser");
    total += static_cast<std::size_t>(store.readInteger(L"TabDelay", 500));
    store.close();
    benchmark::DoNotOptimize(total);
  }
}

void storeWriteOne(benchmark::State& state) {
  const std::wstring file = benchFile(static_cast<int>(state.range(0))).wstring();
  int value = 0;
  for (auto _ : state) {
    core::PreferenceFile store;
    store.open(file);
    store.selectGroup(L"Browser");
    store.writeInteger(L"TabDelay", ++value % 1000);
    store.close();
  }
}

// The floor under any save that survives a crash or power loss: the file's
// bytes written to a scratch file, flushed to the disk and renamed over it.
void durableReplaceFloor(benchmark::State& state) {
  const auto file = benchFile(static_cast<int>(state.range(0)));
  std::ifstream in(file, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string scratch = file.string() + ".saving";
  for (auto _ : state) {
    const int descriptor = open(scratch.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0 || write(descriptor, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        fsync(descriptor) != 0) {
      state.SkipWithError("scratch file not written");
      break;
    }
    close(descriptor);
    std::rename(scratch.c_str(), file.c_str());
  }
}

void inihParse(benchmark::State& state) {
  const std::string file = benchFile(static_cast<int>(state.range(0))).string();
  for (auto _ : state) {
    std::size_t total = 0;
    ini_parse(
        file.c_str(),
        [](void* user, const char*, const char*, const char* value) {
          *static_cast<std::size_t*>(user) += std::char_traits<char>::length(value);
          return 1;
        },
        &total);
    benchmark::DoNotOptimize(total);
  }
}

void simpleIniSetOne(benchmark::State& state) {
  const std::string file = benchFile(static_cast<int>(state.range(0))).string();
  int value = 0;
  for (auto _ : state) {
    CSimpleIniA ini;
    ini.SetUnicode(true);
    ini.LoadFile(file.c_str());
    ini.SetLongValue("Browser", "TabDelay", ++value % 1000);
    ini.SaveFile(file.c_str());
  }
}

}  // namespace

BENCHMARK(storeReadAll)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(inihParse)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(storeWriteOne)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(simpleIniSetOne)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(durableReplaceFloor)->Arg(0)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
