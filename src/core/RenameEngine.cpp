#include "core/RenameEngine.h"

#include "core/Convert.h"
#include "core/PathSplit.h"
#include "core/kelstr.h"

namespace {

bool IsRenameMode(int mode) {
  return mode >= rmPrefix && mode <= rmReplaceExt;
}

} // namespace

std::string ComposeNewPath(const ICodePage& cp, int mode, std::string_view oldPath,
                           std::string_view param1, std::string_view param2, std::int32_t number) {
  const TPathPieces p = SplitPath(cp, oldPath);
  std::string out(p.Directory);
  switch (mode) {
  case rmPrefix: out.append(param1).append(p.FileName); break;
  case rmSuffix: out.append(p.Stem).append(param1).append(p.Extension); break;
  case rmNumbered: out += FormatInteger(cp, param1, number); break;
  case rmReplace: out += ReplaceAllIgnoreCase(cp, p.FileName, param1, param2); break;
  case rmReplaceExt: out += ReplaceAllIgnoreCase(cp, p.FileName, p.Extension, param1); break;
  default: return std::string(oldPath);
  }
  return out;
}

void RunRename(const ICodePage& cp, int mode, std::string_view param1, std::string_view param2,
               IRenameList& list, const TRenameFunc& rename) {
  std::int32_t number = 0;
  if (mode == rmNumbered) number = StrToInt(param2);
  if (IsRenameMode(mode)) {
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
      std::string oldPath = list.Item(i);
      std::string newPath = ComposeNewPath(cp, mode, oldPath, param1, param2, number);
      // The number follows list positions: it advances also when the rename
      // then fails. It wraps like the framework's 32-bit integers.
      number = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) + 1u);
      rename(oldPath, newPath);
    }
  }
  list.Clear();
}
