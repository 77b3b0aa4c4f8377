#pragma once
// The batch rename: five ways of composing a new path from an old one, and
// the run over a list that renames every item and then empties the list.

#include "core/CodePage.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

enum TRenameMode : int {
  rmPrefix = 0,        // parameter 1 in front of the file name
  rmSuffix = 1,        // parameter 1 after the stem, before the extension
  rmNumbered = 2,      // parameter 1 formatted with a running number
  rmReplace = 3,       // parameter 1 replaced by parameter 2 in the file name
  rmReplaceExt = 4,    // the extension replaced by parameter 1 in the file name
};

// The items the run walks: read by index, emptied at the end.
class IRenameList {
public:
  virtual ~IRenameList() = default;
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  virtual void Clear() = 0;
};

// Renames one item; whatever it reports, the run goes on.
using TRenameFunc = std::function<void(const std::string& oldPath, const std::string& newPath)>;

// The new path for one item. For rmNumbered, number is the running number
// and EConvertError is thrown when parameter 1 does not format it. Any other
// mode value gives the old path unchanged.
std::string ComposeNewPath(const ICodePage& cp, int mode, std::string_view oldPath,
                           std::string_view param1, std::string_view param2, std::int32_t number);

// The whole run. The mode is read once; for rmNumbered parameter 2 is
// converted before the list is looked at. A conversion or format error
// (EConvertError) ends the run before anything more is renamed and leaves the
// list as it is; otherwise every item is renamed in list order and the list is
// cleared, also when no mode is chosen.
void RunRename(const ICodePage& cp, int mode, std::string_view param1, std::string_view param2,
               IRenameList& list, const TRenameFunc& rename);
