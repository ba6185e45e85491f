# Sourced by the benchmark scripts: the simulator serving samples/demo.dat on COM1 of the home
# folder HOME_DIR, with its output in HOME_DIR/sim.log; stopped and the folder removed on exit.
#
#   source bench/simulator.sh; start_simulator BUILD HOME_DIR

sim_pid=
sim_home=
stop_simulator() {
    [ -z "$sim_pid" ] || kill "$sim_pid" 2>/dev/null || true
    [ -z "$sim_pid" ] || wait "$sim_pid" 2>/dev/null || true
    [ -z "$sim_home" ] || rm -rf "$sim_home"
}
trap stop_simulator EXIT

start_simulator() {
    sim_home=$2
    HOME=$sim_home "$1/tools/sim/vantor3-sim" --port COM1 --config samples/demo.dat \
        >"$sim_home/sim.log" 2>&1 &
    sim_pid=$!
    for _ in $(seq 50); do
        grep -q "^ready " "$sim_home/sim.log" && break
        sleep 0.1
    done
    grep -q "^ready " "$sim_home/sim.log" || { cat "$sim_home/sim.log"; exit 1; }
}
