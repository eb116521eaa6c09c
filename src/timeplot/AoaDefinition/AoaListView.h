#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "timeplot/AoaDefinition/AOARootObj.h"

namespace varelo {

// The three levels of a definition, each shown in a list of its own.
enum class AoaLevel { Group = 0, Application = 1, Channel = 2 };
inline constexpr size_t kAoaLevels = 3;

// What the editor and its source window show of a definition: the groups of the filter's
// function, the selected group's applications of the filter's phase mode, and the selected
// application's channels the function offers. Rows count in these filtered lists; a row of -1
// is no row.
class CAoaListView {
public:
    explicit CAoaListView(CAOARootObj& root) : root_(&root) {}

    uint32_t Function() const { return function_; }
    uint8_t PhaseMode() const { return phaseMode_; }
    // Changing a filter clears the selections below it.
    void SetFilter(uint32_t function, uint8_t phaseMode);
    // Whether the groups are listed at all (the editor lists them only with a file chosen).
    void SetListed(bool listed);
    bool Listed() const { return listed_; }

    // The display names of a level's rows.
    std::vector<std::string> Rows(AoaLevel level) const;
    int RowCount(AoaLevel level) const { return int(Indexes(level).size()); }
    // Selecting a row clears the selections below it; an invalid row selects none.
    void Select(AoaLevel level, int row);
    int Selected(AoaLevel level) const { return selected_[size_t(level)]; }
    // Drops the selections that no longer name a row, after the lists changed.
    void Refresh();

    // The objects of a row; nullptr for no row.
    CAOAAppGroup* Group(int row);
    CAOAApplication* Application(int row);
    CAOAChannelInfo* Channel(int row);
    // The lists a level's rows live in; nullptr while the level above has no selection.
    std::vector<CAOAAppGroup>* Groups();
    std::vector<CAOAApplication>* Applications();
    std::vector<CAOAChannelInfo>* Channels();
    // Where each row stands in its list.
    std::vector<size_t> Indexes(AoaLevel level) const;

    CAOARootObj& Root() { return *root_; }

private:
    const std::vector<CAOAAppGroup>* FunctionGroups() const;

    CAOARootObj* root_;
    uint32_t function_ = 3;
    uint8_t phaseMode_ = 1;
    bool listed_ = true;
    std::array<int, kAoaLevels> selected_{-1, -1, -1};
};

}  // namespace varelo
