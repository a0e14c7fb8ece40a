// Setting up the tables and lists one run shares between its boreholes.
#include "run/run_caches.h"

namespace s1ordo {

RunCaches::RunCaches(const Session& session, bool reread_files)
    : geology(session.env, session.settings.pattern_folder, reread_files),
      code_lists(session.env, session.settings.pattern_folder, reread_files),
      legends(session.env, session.settings.pattern_folder),
      converter_inputs{session.settings.pattern_folder, session.settings.list_folder, vocabulary, soil,
                       geology, code_lists} {
  BuildSoilNameTables(soil);
}

}  // namespace s1ordo
