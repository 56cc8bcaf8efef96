# shellcheck shell=bash
# Time limits for the steps of the build and the tests: a step that hangs (a mirror that stops
# answering, a hung program under Wine) must not hold its caller for good. Source this file.
#
#   time_limited LIMIT WHAT COMMAND [ARGS...]   run COMMAND for at most LIMIT seconds
#   timed_out STATUS                            whether STATUS is that of a stopped command

# Past the limit the command is stopped with everything it started (TERM, then KILL 30 s later),
# and a line on stderr names it as "WHAT did not finish within LIMIT s and was stopped". Returns
# the command's status.
time_limited() {
    local limit=$1 what=$2 rc=0
    shift 2
    timeout --kill-after=30 "$limit" "$@" || rc=$?
    if timed_out "$rc"; then
        echo "$what did not finish within $limit s and was stopped" >&2
    fi
    return "$rc"
}

# Whether STATUS is timeout's for a command that it stopped: 124 after TERM, 137 (128 + 9) after
# KILL, past the grace.
timed_out() {
    [[ $1 -eq 124 || $1 -eq 137 ]]
}
