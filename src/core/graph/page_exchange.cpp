// SPDX-License-Identifier: MIT
#include "graph/page_exchange.h"

#include "import/spice_table.h"
#include "import/touchstone_writer.h"

namespace fernplot {

std::string PageSourceName(const GraphPage& page) {
  if (page.data.imported) return page.data.imported->fileName;
  if (page.sourcePath.empty()) return page.fileName;
  const size_t slash = page.sourcePath.find_last_of('/');
  return slash == std::string::npos ? page.sourcePath : page.sourcePath.substr(slash + 1);
}

WriteFileResult WritePageTouchstone(const GraphPage& page, const std::string& path) {
  return WriteTouchstoneS2p(page.data, page.properties.calcType == ChannelRatio::kCh2Ch1,
                            PageSourceName(page), path);
}

WriteFileResult WritePageSpiceTable(const GraphPage& page, const std::string& path) {
  return WriteSpiceTable(page.data, page.properties.calcType == ChannelRatio::kCh2Ch1,
                         page.fileName, PageSourceName(page), path);
}

}  // namespace fernplot
