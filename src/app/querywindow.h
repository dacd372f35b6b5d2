#pragma once
// A plain list window over a shared query: used for the history windows
// until their full screens are built.

#include "db/query.h"
#include "kit/controls.h"
#include "kit/datagrid.h"
#include "kit/form.h"

namespace app {

class QueryWindow : public kit::Form {
public:
    QueryWindow(kit::Shell& shell, const QString& caption, db::Query& query);

    kit::DataGrid DBGridEh1;
    kit::Button BitBtn1;
};

}  // namespace app
