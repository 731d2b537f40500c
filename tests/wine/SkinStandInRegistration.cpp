#include "SkinStandInRegistration.h"

#include <windows.h>

#include "Environment.h"
#include "registry/RegKey.h"
#include "skinstandin/StandInClasses.h"

namespace velo {

namespace {

const RegHandle kClassRoots[] = {kHkeyCurrentUser, kHkeyLocalMachine};

std::vector<SubTree> ClassTrees() {
  std::vector<SubTree> trees;
  for (RegHandle root : kClassRoots)
    for (const std::string& key : SkinComponentClassKeys())
      trees.push_back(SubTree{root, key});
  return trees;
}

bool WriteServer(Registry& registry, const SubTree& classKey,
                 const std::string& dllPath) {
  RegKey server(registry);
  return server.Create(classKey.root, classKey.path + "\\InprocServer32",
                       kAccessReadWrite) == kRegOk &&
         server.Write("", RegValue::Text(dllPath)) == kRegOk &&
         server.Write("ThreadingModel", RegValue::Text("Apartment")) == kRegOk;
}

}  // namespace

std::vector<std::string> SkinComponentClassKeys() {
  std::vector<std::string> keys;
  for (const StandInClass& served : kStandInClasses)
    keys.push_back(std::string("Software\\Classes\\CLSID\\") + served.classId);
  return keys;
}

SkinStandInRegistration::SkinStandInRegistration(const std::string& dllPath)
    : before_(RegistrySnapshot::Take(registry_, ClassTrees())) {
  for (const SubTree& classKey : ClassTrees())
    registered_ = WriteServer(registry_, classKey, dllPath) && registered_;
}

SkinStandInRegistration::~SkinStandInRegistration() {
  before_.PutBack(registry_);
}

std::string SkinStandInDll() { return EnvironmentText("VELO_SKIN_DLL"); }

}  // namespace velo
