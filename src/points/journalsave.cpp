#include "points/journalsave.h"

#include "points/journal.h"

namespace points {

JournalSave::JournalSave(db::TDM1& dm) : tx_(dm.ADOConnection1), number_(NextJournalNumber(dm)) {}

}  // namespace points
