# Sourced by scripts that start servers of their own.
# end_process PID: asks the process to end and kills it when it has not within three seconds.
# Xvfb can sleep through SIGTERM until its next timer (the screen saver's, ten minutes) when the
# signal reaches another of its threads.
end_process() {
    local pid=$1
    kill "$pid" 2> /dev/null || return 0
    for _ in $(seq 30); do
        kill -0 "$pid" 2> /dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
}
