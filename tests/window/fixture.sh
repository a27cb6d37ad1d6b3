# Window test fixture, sourced by the window tests (POSIX sh):
#   window_setup      a private Xvfb on a free display, a temporary HOME and
#                     a temporary start folder (the generated data of the
#                     absolute folder $TV_STARTDATA linked into it, when
#                     set); stops it all on exit
#   window_start PROG starts PROG in the start folder, output to files
#   window_wait_exit  waits for the program, sets $status
#   fail MESSAGE      reports and ends the test
# Sound uses OpenAL Soft's null backend.

fail()
{
	echo "FAIL: $*" >&2
	[ -f "$TV_TMP/stderr" ] && sed 's/^/  program stderr: /' "$TV_TMP/stderr" >&2
	exit 1
}

window_cleanup()
{
	[ -n "$TV_PROG_PID" ] && kill "$TV_PROG_PID" 2>/dev/null
	[ -n "$TV_XVFB_PID" ] && kill "$TV_XVFB_PID" 2>/dev/null
	[ -n "$TV_XVFB_PID" ] && wait "$TV_XVFB_PID" 2>/dev/null
	[ -n "$TV_TMP" ] && rm -rf "$TV_TMP"
}

window_setup()
{
	TV_TMP=$(mktemp -d /tmp/trusvane-window-XXXXXX) || exit 1
	trap window_cleanup EXIT
	trap 'exit 1' INT TERM HUP
	mkdir "$TV_TMP/home" "$TV_TMP/start"
	if [ -n "$TV_STARTDATA" ] && [ -d "$TV_STARTDATA" ]; then
		cp -Rs "$TV_STARTDATA/." "$TV_TMP/start/"
	fi
	# Xvfb picks a free display itself and writes its number once it
	# accepts connections.
	Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
		3>"$TV_TMP/display" >"$TV_TMP/xvfb.log" 2>&1 &
	TV_XVFB_PID=$!
	tries=0
	while [ ! -s "$TV_TMP/display" ]; do
		tries=$((tries + 1))
		[ $tries -gt 200 ] && fail "Xvfb did not start: $(cat "$TV_TMP/xvfb.log")"
		kill -0 "$TV_XVFB_PID" 2>/dev/null || fail "Xvfb ended: $(cat "$TV_TMP/xvfb.log")"
		sleep 0.05
	done
	DISPLAY=:$(head -n 1 "$TV_TMP/display")
	HOME="$TV_TMP/home"
	export DISPLAY HOME
	export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
	export LIBGL_ALWAYS_SOFTWARE=1
}

window_start()
{
	(cd "$TV_TMP/start" && exec "$@") >"$TV_TMP/stdout" 2>"$TV_TMP/stderr" &
	TV_PROG_PID=$!
}

# window_wait_exit SECONDS
window_wait_exit()
{
	tries=0
	while kill -0 "$TV_PROG_PID" 2>/dev/null; do
		tries=$((tries + 1))
		[ $tries -gt $(($1 * 20)) ] && fail "the program did not end within $1 s"
		sleep 0.05
	done
	wait "$TV_PROG_PID"
	status=$?
	TV_PROG_PID=
}
