// Reading a pattern data table again only when its stamp changed.
#include "patterns/table_cache.h"

#include "patterns/pattern_table.h"
#include "platform/file_system.h"

namespace tq {

const CachedTable& TableCache::Read(const FileSystem& files, const Text& path) {
  std::optional<std::string> native = files.NativePath(path);
  std::optional<native::FileStamp> stamp;
  if (native) stamp = native::StampOf(*native);
  // A recent stamp is not kept, so the table is read at every use until its stamp settles.
  if (stamp && stamp->recent) stamp.reset();
  auto cached = tables_.find(path);
  if (cached != tables_.end() && stamp && cached->second.stamp == stamp) return cached->second.table;
  // The stamp is taken before the reading, so a change made while reading shows at the next use.
  std::string bytes = ReadPatternTableBytes(files, path);
  if (cached != tables_.end() && cached->second.table.bytes == bytes) {
    cached->second.stamp = stamp;  // the same bytes keep their version and what was built from them
    return cached->second.table;
  }
  Entry entry{stamp, {std::move(bytes), ++lastVersion_}};
  return tables_.insert_or_assign(path, std::move(entry)).first->second.table;
}

}  // namespace tq
