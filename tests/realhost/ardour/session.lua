-- The real-host test's session, one step per ardour7-lua process (REALHOST_MODE): "create" builds a MIDI
-- track playing the test chord and pedalled note into Virellando in the plug-in format REALHOST_FORMAT
-- (LXVST, LV2 or VST3), saves and exports first.wav; "change" reopens it, chooses the program
-- REALHOST_PROGRAM, sets REALHOST_CHANGES ("index=value ..." in the values the format shows), saves and
-- exports changed.wav; "reopen" exports reopened.wav; "editor" only makes and saves the session with the
-- track, for Ardour's window (editor-in-ardour). Each step writes the reported parameters
-- (params-*.txt) and program (program-*.txt), saves before its one export (headless exports now and then
-- crash, and a step must be repeatable) and fails only when the host cannot do what it is asked:
-- realhost-export-check judges the results.
local function env (name) return (assert (os.getenv (name), name .. " is not set")) end
local mode, sessionFolder, outFolder = env ("REALHOST_MODE"), env ("REALHOST_SESSION"), env ("REALHOST_OUT")
local sessionName, pluginName, parameterCount = "realhost", "Virellando", 11
local pluginType = ARDOUR.PluginType[env ("REALHOST_FORMAT")]
-- An LV2 plug-in's controls count its latency output first.
local firstParameter = tonumber (env ("REALHOST_FIRST_PARAMETER"))
-- A float WAV at the session's rate, neither dithered nor normalised (float-wav.preset).
local exportPreset = "5a0c3f4e-8d1b-4e57-9a63-2f7d0e1b6c42"

local function fail (text) io.stderr:write ("session.lua: " .. text .. "\n"); os.exit (1) end

-- The sample data is read on a thread carrying the name of the thread that created the instance (Ardour
-- names all its own): exports run faster than real time, so wait until no such thread is left, two
-- minutes at most.
local function waitForSampleData ()
  local pipe = io.popen ([[main=$(cat /proc/$PPID/comm)
    for _ in $(seq 2400); do
      n=0
      for task in /proc/$PPID/task/*; do
        [ "${task##*/}" != "$PPID" ] && [ "$(cat "$task/comm" 2>/dev/null)" = "$main" ] && n=$((n + 1))
      done
      [ $n = 0 ] && exit 0
      sleep 0.05
    done
    exit 1]])
  if not pipe:close () then fail ("the sound bank was still loading after two minutes") end
end

local function writeParameters (proc, fileName)
  local file = assert (io.open (outFolder .. "/" .. fileName, "w"))
  for index = 0, parameterCount - 1 do
    local value = ARDOUR.LuaAPI.get_processor_param (proc, firstParameter + index, true)
    file:write (string.format ("%d %.9g\n", index, value))
  end
  file:close ()
end

local function writeProgram (proc, fileName)
  local file = assert (io.open (outFolder .. "/" .. fileName, "w"))
  file:write (proc:to_insert ():plugin (0):last_preset ().label .. "\n")
  file:close ()
end

local function save ()
  if Session:save_state ("", false, false, false, false, false) ~= 0 then fail ("cannot save the session") end
end

local function export (name)
  local job = Session:simple_export ()
  if not job:set_preset (exportPreset) then fail ("the float WAV export preset is not installed") end
  job:set_name (name)
  job:set_folder (outFolder)
  job:set_range (0, tonumber (env ("REALHOST_END")))
  if not job:run_export () then fail ("the export of " .. name .. " failed") end
end

local function openSavedPlugin ()
  if not load_session (sessionFolder, sessionName) then fail ("cannot open the saved session") end
  local track = Session:route_by_name ("Piano")
  if track:isnil () then fail ("the reopened session has no track Piano") end
  for i = 0, math.huge do
    local proc = track:nth_plugin (i)
    if proc:isnil () then fail ("the reopened track has no " .. pluginName) end
    if proc:to_insert ():plugin (0):name () == pluginName then
      waitForSampleData ()
      return proc
    end
  end
end

-- A new session with a MIDI track "Piano" that plays the plug-in.
local function newPianoTrack ()
  if not create_session (sessionFolder, sessionName, 44100) then fail ("cannot create the session") end
  local tracks = Session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1),
    ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), true, ARDOUR.PluginInfo (), nil, nil, 1, "Piano",
    ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
  if tracks:size () ~= 1 then fail ("cannot add the MIDI track") end
  local track = tracks:front ()
  local plugin = ARDOUR.LuaAPI.new_plugin (Session, pluginName, pluginType, "")
  if plugin:isnil () then fail ("Ardour does not list the plug-in " .. pluginName .. " (plug-in paths, VST caches)") end
  track:add_processor_by_index (plugin, 0, nil, true)
  return track, plugin
end

AudioEngine:set_backend ("None (Dummy)", "", "")

if mode == "create" then
  local track, plugin = newPianoTrack ()
  local chord = ARDOUR.LuaAPI.new_luaproc (Session, "Virellando Test Chord")
  if chord:isnil () then fail ("the test chord script is not installed") end
  track:add_processor_by_index (chord, 0, nil, true)
  for index, name in ipairs ({ "REALHOST_CHORD_ON", "REALHOST_CHORD_OFF", "REALHOST_REVERB_OFF", "REALHOST_PEDAL_DOWN",
                               "REALHOST_NOTE_ON", "REALHOST_NOTE_OFF", "REALHOST_PEDAL_UP" }) do
    ARDOUR.LuaAPI.set_processor_param (chord, index - 1, tonumber (env (name)))
  end
  waitForSampleData ()
  writeParameters (plugin, "params-default.txt")
  save ()
  export ("first")
elseif mode == "change" then
  local plugin = openSavedPlugin ()
  local insert = plugin:to_insert ():plugin (0)
  local program = insert:preset_by_label (env ("REALHOST_PROGRAM"))
  if not program or not insert:load_preset (program) then fail ("cannot choose the program " .. env ("REALHOST_PROGRAM")) end
  writeParameters (plugin, "params-program.txt")
  for index, value in env ("REALHOST_CHANGES"):gmatch ("(%d+)=([%d.]+)") do
    if not ARDOUR.LuaAPI.set_processor_param (plugin, firstParameter + tonumber (index), tonumber (value)) then
      fail ("cannot set parameter " .. index)
    end
  end
  writeParameters (plugin, "params-saved.txt")
  writeProgram (plugin, "program-saved.txt")
  save ()
  export ("changed")
elseif mode == "reopen" then
  local plugin = openSavedPlugin ()
  writeParameters (plugin, "params-reopened.txt")
  writeProgram (plugin, "program-reopened.txt")
  export ("reopened")
elseif mode == "editor" then
  -- Only the session with the track, saved, for Ardour's window to open; the line printed names the
  -- plug-in's window in the session's UI state by the track's and the plug-in's identifiers.
  local track, plugin = newPianoTrack ()
  print ("window P-" .. track:to_stateful ():id ():to_s () .. "-" .. plugin:to_stateful ():id ():to_s ())
  save ()
else
  fail ("unknown mode " .. mode)
end

close_session ()
