// Backup, Finish and Reset on an NT-family registry with 1 to 10,000
// interfaces: the time each operation takes and the registry calls it makes,
// to show that the cost grows linearly with the interfaces and that no value
// is asked for, written or deleted twice. Runs against the in-memory
// registry natively and against the real one on Windows (or Wine).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

#include "registry/MemoryRegistry.h"
#include "store/Apply.h"
#include "store/Restore.h"
#include "support/CountingRegistry.h"
#include "support/KeptSettings.h"
#include "support/RegistryEdit.h"
#include "support/StoreCycle.h"
#include "support/StoreScenario.h"
#ifdef _WIN32
#include "registry/Win32Registry.h"
#endif

namespace velo {
namespace {

#ifdef _WIN32
const char kRegistryName[] = "Win32 registry";
std::unique_ptr<Registry> MakeRegistry() {
  return std::unique_ptr<Registry>(new Win32Registry());
}
#else
const char kRegistryName[] = "in-memory registry";
std::unique_ptr<Registry> MakeRegistry() {
  return std::unique_ptr<Registry>(new MemoryRegistry());
}
#endif

struct Operation {
  const char* name;
  std::function<bool(Registry&)> run;  // true when it succeeded
};

SettingsRecord Chosen() {
  SettingsRecord record;
  record.NewMTU = 1492;
  record.NewMSS = 1452;
  record.NewRWIN = 64240;
  record.NewTTL = 64;
  return record;
}

std::vector<Operation> Operations() {
  return {
      {"backup",
       [](Registry& registry) {
         return TakeBackup(registry, kFamilyNT).Succeeded();
       }},
      {"apply",
       [](Registry& registry) {
         return ApplySettings(registry, kFamilyNT, Chosen(), 0).Succeeded();
       }},
      {"restore",
       [](Registry& registry) {
         return RestoreBackup(registry, kFamilyNT).result == kRestoredAll;
       }},
  };
}

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

void Measure(Registry& registry, int interfaces) {
  SeedInterfaces(registry, interfaces);
  Put(registry, kTcpipKeyName, "DefaultTTL", RegValue::Dword(128));
  Put(registry, kTcpipKeyName, "TcpWindowSize", RegValue::Dword(17520));
  std::vector<Operation> operations = Operations();

  // Calls, counted on one cycle.
  CountingRegistry counting(registry);
  std::vector<uint64_t> calls, most;
  bool succeeded = true;
  for (const Operation& operation : operations) {
    counting.Reset();
    succeeded = operation.run(counting) && succeeded;
    calls.push_back(counting.Total());
    most.push_back(counting.MostCallsForOneValue());
  }

  // Time, on the registry itself, over enough cycles to be steady.
  int cycles = std::max(3, 2000 / interfaces);
  std::vector<double> total(operations.size(), 0.0);
  for (int cycle = 0; cycle < cycles; ++cycle) {
    for (size_t i = 0; i < operations.size(); ++i) {
      auto start = std::chrono::steady_clock::now();
      succeeded = operations[i].run(registry) && succeeded;
      total[i] += Milliseconds(std::chrono::steady_clock::now() - start);
    }
  }
  for (size_t i = 0; i < operations.size(); ++i) {
    double perOperation = total[i] / cycles;
    std::printf("%10d  %-8s %12.3f %14.2f %10llu %10.2f %8llu\n", interfaces,
                operations[i].name, perOperation,
                1000.0 * perOperation / interfaces,
                static_cast<unsigned long long>(calls[i]),
                static_cast<double>(calls[i]) / interfaces,
                static_cast<unsigned long long>(most[i]));
  }
  if (!succeeded) std::printf("            (an operation reported failures)\n");
}

}  // namespace
}  // namespace velo

int main() {
  using namespace velo;
  std::printf("Settings store, NT family, %s\n", kRegistryName);
  std::printf("%10s  %-8s %12s %14s %10s %10s %8s\n", "interfaces",
              "op", "ms/op", "us/interface", "calls", "calls/if",
              "max/val");
  std::unique_ptr<Registry> registry = MakeRegistry();
  KeptSettings kept(*registry, kFamilyNT);
  for (int interfaces : {1, 10, 100, 1000, 10000}) {
    Measure(*registry, interfaces);
    kept.PutBack();
  }
  return 0;
}
