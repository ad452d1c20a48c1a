#include "catalogue/release.hpp"

namespace kestrune::catalogue {

const std::array<Release, 22> release_table{{
    {"2", "8", ""},
    {"3", "2005", ""},
    {"4", "2006", ""},
    {"5", "2007", ""},
    {"6", "2009", ""},
    {"7", "2010", ""},
    {"8.0", "XE", ""},
    {"9.0", "XE2", ""},
    {"10.0", "XE3", ""},
    {"11.0", "XE4", ""},
    {"12.0", "XE5", ""},
    {"14.0", "XE6", ""},
    {"15.0", "XE7", ""},
    {"16.0", "XE8", ""},
    {"17.0", "10", "Seattle"},
    {"18.0", "10.1", "Berlin"},
    {"19.0", "10.2", "Tokyo"},
    {"20.0", "10.3", "Rio"},
    {"21.0", "10.4", "Sydney"},
    {"22.0", "11", "Alexandria"},
    {"23.0", "12", "Athens"},
    {"37.0", "13", "Florence"},
}};

const Release* find_release(std::string_view version) {
    for (const Release& release : release_table)
        if (release.version == version) return &release;
    // The table names the oldest releases 2 to 7, but their installers wrote the keys 2.0 to 7.0.
    if (!version.ends_with(".0")) return nullptr;
    const std::string_view short_version = version.substr(0, version.size() - 2);
    for (const Release& release : release_table)
        if (release.version == short_version && release.version.find('.') == std::string_view::npos) return &release;
    return nullptr;
}

}  // namespace kestrune::catalogue
