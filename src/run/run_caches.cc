// Setting up the tables and lists one run shares between its boreholes.
#include "run/run_caches.h"

namespace s1ordo {

RunCaches::RunCaches(const Session& session, bool reread_files)
    : RunCaches(session.env, session.settings, reread_files) {}

RunCaches::RunCaches(Env& env, const Settings& settings, bool reread_files)
    : geology(env, settings.pattern_folder, reread_files),
      code_lists(env, settings.pattern_folder, reread_files),
      legends(env, settings.pattern_folder),
      converter_inputs{settings.pattern_folder, settings.list_folder, vocabulary, soil, geology, code_lists} {
  BuildSoilNameTables(soil);
}

}  // namespace s1ordo
