# Window test fixture, sourced by the window tests (POSIX sh):
#   window_setup      a private Xvfb on a free display, a temporary HOME and
#                     a temporary start folder (a copy of the generated
#                     data of the absolute folder $TV_STARTDATA, when set:
#                     links would let a program write into the data
#                     itself); stops it all on exit
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
	if [ -n "$TV_XVFB_PID" ]; then
		# A server that is going away removes its socket by name; it must
		# be gone before another server can take the same number.
		(
			flock 4
			kill "$TV_XVFB_PID" 2>/dev/null
			tries=0
			while kill -0 "$TV_XVFB_PID" 2>/dev/null && [ $tries -lt 200 ]; do
				tries=$((tries + 1))
				sleep 0.02
			done
		) 4>"$TV_XVFB_LOCK"
	fi
	[ -n "$TV_TMP" ] && rm -rf "$TV_TMP"
}

window_setup()
{
	TV_TMP=$(mktemp -d /tmp/trusvane-window-XXXXXX) || exit 1
	trap window_cleanup EXIT
	trap 'exit 1' INT TERM HUP
	mkdir "$TV_TMP/home" "$TV_TMP/start"
	if [ -n "$TV_STARTDATA" ] && [ -d "$TV_STARTDATA" ]; then
		cp -R "$TV_STARTDATA/." "$TV_TMP/start/"
	fi
	# A display number whose lock file and socket are both absent, chosen
	# under a lock that the server itself does not keep (4>&-): Xvfb's own
	# search (-displayfd) tries numbers that are in use. The server counts
	# as started once a client gets through; -noreset keeps it from
	# resetting when that client leaves, which would refuse the next one.
	TV_XVFB_LOCK="${TMPDIR:-/tmp}/trusvane-xvfb.lock"
	(
		flock 4
		number=20
		while [ $number -lt 400 ]; do
			if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
				Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset \
					4>&- >"$TV_TMP/xvfb.log" 2>&1 &
				echo $! >"$TV_TMP/xvfb.pid"
				tries=0
				while kill -0 $! 2>/dev/null && [ $tries -lt 400 ]; do
					if xdpyinfo -display ":$number" >/dev/null 2>&1; then
						echo "$number" >"$TV_TMP/display"
						break
					fi
					tries=$((tries + 1))
					sleep 0.05
				done
				[ -s "$TV_TMP/display" ] && break
				kill $! 2>/dev/null
			fi
			number=$((number + 1))
		done
	) 4>"$TV_XVFB_LOCK"
	TV_XVFB_PID=$(cat "$TV_TMP/xvfb.pid" 2>/dev/null)
	[ -s "$TV_TMP/display" ] || fail "Xvfb did not start: $(cat "$TV_TMP/xvfb.log")"
	DISPLAY=:$(head -n 1 "$TV_TMP/display")
	HOME="$TV_TMP/home"
	# Mesa finds its shader cache through the password database, not HOME:
	# the build's shared cache when the test names one, else the temporary home.
	XDG_CACHE_HOME=${TV_SHADERCACHE:-$HOME/.cache}
	export DISPLAY HOME XDG_CACHE_HOME
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
