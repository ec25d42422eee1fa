#pragma once

#include "platform/tools/ToolRunner.h"

namespace velk::platform::tools {

// "/usr/bin/mdls -name kMDItemWhereFroms -raw PATH" served from the file's
// extended attributes user.xdg.origin.url, then user.xdg.referrer.url, in the
// tool's list form:
//   (
//       "https://example.com/a.zip",
//       "https://example.com/"
//   )
// or "(null)" when neither is set. Values holding a double quote or a
// newline are left out (they would break the list). Any other request ends
// with status 1 and no output.
ToolResult metadataOutput(const ToolRequest& request);

// Makes the tool runner answer "/usr/bin/mdls" this way. Cheap and safe to
// call repeatedly, from any thread.
void registerMetadataTool();

} // namespace velk::platform::tools
