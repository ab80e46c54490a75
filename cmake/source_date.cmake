# The moment a build stands for: SOURCE_DATE_EPOCH when a packager or scripts/release.sh sets it,
# otherwise the commit's time, so that the same commit stamps the same dates whenever it is
# built. Sets source_date (2026-12-08) and source_date_rfc2822 (Tue, 08 Dec 2026 12:00:00 +0000).
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(source_date_epoch $ENV{SOURCE_DATE_EPOCH})
else()
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE source_date_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  ERROR_QUIET RESULT_VARIABLE git_failed)
  if(git_failed OR source_date_epoch STREQUAL "")
    string(TIMESTAMP source_date_epoch "%s" UTC)  # neither: a build of today
  endif()
endif()
# string(TIMESTAMP) formats SOURCE_DATE_EPOCH instead of the clock; this process's copy only.
set(ENV{SOURCE_DATE_EPOCH} ${source_date_epoch})
string(TIMESTAMP source_date "%Y-%m-%d" UTC)
string(TIMESTAMP source_date_rfc2822 "%a, %d %b %Y %H:%M:%S +0000" UTC)
