# The two commands of the README: `make play` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: setup build play test test-fast bench fuzz clean install deb

PREFIX ?= /usr/local

setup:
	@bash scripts/setup.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

play: build
	@if [ -x $(BUILD)/ui/varzeno ]; then cd $(BUILD)/ui && ./varzeno; \
	 else $(BUILD)/tools/sim/varzeno-sim --jogos 1 --estrategia popular --rastro; fi

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARZENO_SANITIZE=ON -DVARZENO_UI=OFF -DVARZENO_BENCH=OFF

# The whole suite: the normal build, the engine again under ASan+UBSan, and
# a short run of every fuzz target over the files a player controls.
test: build $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	bash scripts/run-tests.sh $(BUILD) $(ASAN_BUILD)
	bash scripts/fuzz.sh 10

# Only the normal build's tests, for a quick loop while working.
test-fast: build
	bash scripts/run-tests.sh $(BUILD)

bench: build
	bash scripts/run-bench.sh $(BUILD)

# Installs the game under PREFIX (DESTDIR=... for a staging folder).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, varzeno_<version>_<arch>.deb, written in $(BUILD).
deb: build
	cd $(BUILD) && cpack -G DEB

# Each fuzz target for five minutes (clang build in build-fuzz/).
fuzz: setup
	bash scripts/fuzz.sh 300

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz
