# Writes the manual page of quenlor-cli from the program's own help: help2man
# reads --help and --version, each subcommand that --help lists adds a
# section with its own --help, and cli/quenlor-cli.h2m adds the exit status
# and examples. Run with cmake -P, given PROGRAM, SUMMARY, EXTRA and OUTPUT
# (the page, gzipped without a name or time in the gzip header).
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE ".*\nSubcommands:\n" "" listed "${help}")
string(REGEX MATCHALL "(^|\n)  [a-z]+" commands "${listed}")
file(READ ${EXTRA} sections)
foreach(command IN LISTS commands)
  string(STRIP "${command}" command)
  execute_process(COMMAND ${PROGRAM} ${command} --help OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
  # As it stands, in roff: backslashes and a dot or quote at a line's start are escaped.
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  string(APPEND sections "[${command} command]\n.nf\n${text}.fi\n")
endforeach()
file(WRITE ${OUTPUT}.h2m "${sections}")
# help2man starts the program through the shell, unquoted: it is named from
# its own folder, whose path may hold blanks.
get_filename_component(folder ${PROGRAM} DIRECTORY)
get_filename_component(name ${PROGRAM} NAME)
execute_process(COMMAND help2man --no-info --section=1 --name=${SUMMARY} --include=${OUTPUT}.h2m
                        --output=${OUTPUT} ./${name}
                WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9nf ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
