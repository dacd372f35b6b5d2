#pragma once
// The member grid that both member lists show over the shared member result
// set: its columns, the sort hint and the yellow footer with the number of
// members listed and the sum of their points, kept in step with the rows.

#include "kit/datagrid.h"

#include <QString>

namespace members {

// Gives the grid its columns and hint, and keeps its footer for as long as
// it lives. lossFlagTitle: the title of the 口头挂失标志 column.
class MemberGrid {
public:
    MemberGrid(kit::DataGrid& grid, const QString& lossFlagTitle);
    ~MemberGrid();
    MemberGrid(const MemberGrid&) = delete;
    MemberGrid& operator=(const MemberGrid&) = delete;

    void refresh();

private:
    kit::DataGrid& grid_;
    int listenerId_;
};

}  // namespace members
