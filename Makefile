# The two commands of the README: `make play` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
SOAK_BUILD ?= build-asan-ui
JOBS       ?= $(shell nproc)

.PHONY: setup setup-play setup-web setup-node build play test test-fast test-desktop test-x11 test-leitor test-debian12 test-debian13 bench fuzz soak clean install deb

PREFIX ?= /usr/local

# The Debian packages in tiers (scripts/setup.sh says what each brings):
# play's for the desktop game, web's on top for the web build, and for
# everything else the whole test bench.
setup:
	@bash scripts/setup.sh test
setup-play:
	@bash scripts/setup.sh play
setup-web:
	@bash scripts/setup.sh web
setup-node:
	@bash scripts/setup.sh node

# CMAKE_OPCOES: more options for the normal build's first configure.
$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_OPCOES)

build: setup $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Only the game (its sound module, metafile helper and files come with it),
# with only play's packages. It keeps its candidates in jogo.ini in the
# folder it is started from.
play: setup-play $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target varzeno
	$(BUILD)/ui/varzeno

$(ASAN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARZENO_SANITIZE=ON -DVARZENO_UI=OFF -DVARZENO_BENCH=OFF

$(SOAK_BUILD)/CMakeCache.txt:
	cmake -S . -B $(SOAK_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVARZENO_SANITIZE=ON -DVARZENO_UI=ON -DVARZENO_BENCH=OFF

# The whole suite: the normal build; the engine again under ASan+UBSan; 30
# whole games through the window, and the windows' interfaces asked for while
# they are made, under ASan+UBSan+LSan; and a short run of every fuzz target
# over the files a player controls.
test: build $(ASAN_BUILD)/CMakeCache.txt $(SOAK_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cmake --build $(SOAK_BUILD) -j $(JOBS) --target tst_soak tst_pedidos_cedo
	bash scripts/run-tests.sh $(BUILD) $(ASAN_BUILD)
	SOLO='^ui/(soak/|acessibilidade/pedidos_cedo)' bash scripts/run-tests.sh $(SOAK_BUILD)
	bash scripts/fuzz.sh 10 1
	$(MAKE) test-web

# 1,000 whole games through the window, in the normal build and under
# ASan+UBSan+LSan, printing games, outcomes and memory.
soak: build $(SOAK_BUILD)/CMakeCache.txt
	cmake --build $(SOAK_BUILD) -j $(JOBS) --target tst_soak
	VARZENO_SOAK_JOGOS=1000 SOLO='^ui/soak/' VERBOSO=1 bash scripts/run-tests.sh $(BUILD) $(SOAK_BUILD)

# A quick loop while working: the normal build's tests labelled rapido,
# none of which needs an X screen, a browser, a reader or a sound server.
test-fast: build
	ROTULO=rapido bash scripts/run-tests.sh $(BUILD)

# Every test of the normal build, whatever it needs.
test-desktop: build
	bash scripts/run-tests.sh $(BUILD)

# One slow group alone: the tests on an X screen (Xvfb), and those with a
# screen reader (AT-SPI, Orca). Any label: ROTULO=som bash scripts/run-tests.sh build.
test-x11: build
	ROTULO=x11 bash scripts/run-tests.sh $(BUILD)
test-leitor: build
	ROTULO=leitor bash scripts/run-tests.sh $(BUILD)

# In a fresh root of a stock Debian made by mmdebstrap (kept in
# ~/.cache/varzeno between runs), after the project's set-up: on Debian 13
# every test of the normal build, built with its own compilers, Qt and Orca,
# and the web edition built with its own emscripten and played in chromium
# (its firefox-esr and WebKitGTK are the releases the host's run tests, and
# the web game under Orca is made against Orca 43, not Debian 13's 48); on
# Debian 12, whose packages the host's `make test` already covers, only what
# runs under Debian's own node and npm (this machine's may come from
# elsewhere). On both, the Debian package installed by apt and played
# in a root with nothing of the project: on Debian 13 built first in a root
# with its Build-Depends alone, on Debian 12 the one `make deb` builds here.
# The roots build no benchmarks: none runs there. Need root.
test-debian13:
	bash scripts/test-debian.sh 13 CMAKE_OPCOES=-DVARZENO_BENCH=OFF NAVEGADORES=chromium test-desktop test-web
	bash scripts/test-debian.sh 13 pacote
test-debian12: deb
	bash scripts/test-debian.sh 12 test-web-node
	bash scripts/test-debian.sh 12 pacote $$(ls $(BUILD)/varzeno_*_*.deb)

# Every benchmark, the native build's and then the web edition's: both run
# whole, and the target fails after them if either missed.
bench: build
	bash scripts/run-bench.sh $(BUILD); s=$$?; $(MAKE) bench-web || s=1; exit $$s

# Installs the game under PREFIX (DESTDIR=... for a staging folder).
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, built from debian/ by dpkg-buildpackage, checked
# (contents, manual pages, lintian) and left in $(BUILD) as
# varzeno_<version>_<arch>.deb.
deb: setup
	bash packaging/deb.sh $(BUILD)

# Each fuzz target for five minutes (clang build in build-fuzz/).
fuzz: setup
	bash scripts/fuzz.sh 300

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(SOAK_BUILD) build-fuzz

# The web edition (web/): the same C++ compiled with Debian's emscripten.
# `make web` lays out build-web/site/, static files for any web host.
WEB_BUILD ?= build-web
WEB_PORT  ?= 8650
# Debian's emscripten finds Debian's acorn through NODE_PATH.
WEB_ENV   := NODE_PATH=/usr/share/nodejs

.PHONY: web test-web test-web-node play-web bench-web

$(WEB_BUILD)/CMakeCache.txt:
	$(WEB_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DVARZENO_UI=OFF -DVARZENO_BENCH=OFF \
	  -DVARZENO_NATIVO=$(abspath $(BUILD))

# The site's icons are drawn by one small program of the native build.
web: setup-web $(BUILD)/CMakeCache.txt $(WEB_BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target varzeno-icone
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS) --target site

# The engine's and simulator's suites under node, web against native
# simulator, and whole games in Debian's chromium, firefox-esr and WebKitGTK.
# Of the native build only the simulator, to compare against.
# NAVEGADORES picks the browsers; orca is the whole web game under Orca in
# chromium and firefox-esr (made against Orca 43).
NAVEGADORES ?= chromium firefox webkit orca
test-web: setup web
	cmake --build $(BUILD) -j $(JOBS) --target varzeno-sim
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	VARZENO_WEB_NAVEGADORES="$(NAVEGADORES)" bash tests/web/executar.sh $(BUILD) $(WEB_BUILD)

# Only what runs under node: the suites, the simulator, npm's install.
test-web-node: setup-node web
	cmake --build $(BUILD) -j $(JOBS) --target varzeno-sim
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	VARZENO_WEB_NAVEGADORES= bash tests/web/executar.sh $(BUILD) $(WEB_BUILD)

play-web: web
	python3 tools/web/servir.py $(WEB_BUILD)/site $(WEB_PORT)

# The web edition's figures against their targets, then Lighthouse's four
# scores for the mobile and desktop presets (docs/benchmarks.md); Lighthouse
# is pinned in bench/web's own lock file, which the tests never install.
bench-web: build web
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)
	cd tests/web && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error
	cd bench/web && npm ci --no-audit --no-fund --ignore-scripts --loglevel=error
	node bench/web/medir.mjs $(BUILD) $(WEB_BUILD); s=$$?; node bench/web/lighthouse.mjs $(WEB_BUILD) || s=1; exit $$s
