// Installation records as discovery makes them, for the handlers' tests: no registry scan, and
// a root directory that holds no tools, so that no architecture is found.
#pragma once

#include <string>

#include "catalogue/installation.hpp"
#include "catalogue/release.hpp"

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

}  // namespace kestrune::cli
