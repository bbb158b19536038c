// Movement records written field by field, the way the ledger file holds them,
// and ledgers made of such records: for the tests, the fuzz targets and the
// benchmarks alike. Also the configuration file's record.
#pragma once

#include "ledger/data/Ledger.h"
#include "ledger/settings/Settings.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cofrelo {

// A text field as stored: cut or padded with spaces to its width.
std::string Field(std::string text, std::size_t width);

// An integer as the files hold it: four bytes, the least significant first.
std::string LittleEndian(std::uint32_t value);

// A movement as the ledger file holds it, its widths written out here, so that a fault in the layout shows.
std::string Record(const std::string& date, const std::string& description, const std::string& amount,
                   const std::string& balance, std::int32_t kind);

// `times` copies of `text`, one after the other.
std::string Repeated(const std::string& text, std::size_t times);

inline const std::string SavingRecord = Record("05/12/2026", "Nomina", "+1250.5", "1250.5", 0);
inline const std::string ExpenseRecord = Record("06/12/2026", "Cena", "-30", "1220.5", 1);
inline const std::string CommentRecord = Record("07/12/2026", "Nota", "*", "*", 2);

// The bytes of movements 0 to Count-1.
inline std::string_view LedgerBytes(const Ledger& ledger)
{
    return {ledger.RecordBytes().data(), ledger.RecordBytes().size()};
}

// A ledger holding the whole records at the front of `records`, as many as
// the table has slots, with the balance a load takes from them.
Ledger LedgerOf(std::string_view records);

// Full, with every kind of line: what the benchmarks work on.
Ledger FullLedger();

// A record as the configuration file holds it: the colors, then the folder
// and its NUL; `rest` fills the folder field after the NUL.
std::string SettingsRecordBytes(const Settings& settings, char rest = '\0');

}  // namespace cofrelo
