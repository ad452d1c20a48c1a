// Installation records as discovery makes them, for the handlers' tests: no registry scan, and
// a root directory that holds no tools, so that no architecture is found.
#pragma once

#include <string>

#include "catalogue/installation.hpp"
#include "catalogue/release.hpp"
#include "scratch_registry.hpp"

namespace kestrune::cli {

inline catalogue::Installation installation_record(std::string version) {
    catalogue::Installation installation;
    installation.base_key = "Software\\Embarcadero\\BDS";
    installation.version = std::move(version);
    installation.release = catalogue::find_release(installation.version);
    installation.personalities = {catalogue::Personality::Delphi};
    installation.registry_values = {{"RootDir", "C:\\kestrune-tests\\absent\\"}};
    return installation;
}

// The record of RAD Studio 12 with its version key in a scratch registry, for the commands
// that edit the IDE's settings.
class InstalledRecord : public kestrune::testing::ScratchRegistry {
protected:
    void SetUp() override {
        ScratchRegistry::SetUp();
        create(version_key);
    }

    const std::wstring version_key = L"Software\\Embarcadero\\BDS\\23.0";
    const catalogue::Installation installation = installation_record("23.0");
};

}  // namespace kestrune::cli
