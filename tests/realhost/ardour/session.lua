-- The real-host test's session, one step per ardour7-lua process (REALHOST_MODE): "create" builds a MIDI
-- track playing the test chord into Virellando, saves and exports first.wav; "change" reopens it, sets
-- REALHOST_CHANGES ("index=value ..."), saves and exports changed.wav; "reopen" exports reopened.wav. Each
-- step writes the reported parameters (params-*.txt), saves before its one export (headless exports now
-- and then crash, and a step must be repeatable) and fails only when the host cannot do what it is asked:
-- realhost-export-check judges the results.
local function env (name) return (assert (os.getenv (name), name .. " is not set")) end
local mode, sessionFolder, outFolder = env ("REALHOST_MODE"), env ("REALHOST_SESSION"), env ("REALHOST_OUT")
local chordOn, chordOff = tonumber (env ("REALHOST_CHORD_ON")), tonumber (env ("REALHOST_CHORD_OFF"))
local exportEnd = tonumber (env ("REALHOST_END"))
local changes = os.getenv ("REALHOST_CHANGES") or ""
local sessionName = "realhost"
local sampleRate = 44100
-- A float WAV at the session's rate, neither dithered nor normalised (float-wav.preset).
local exportPreset = "5a0c3f4e-8d1b-4e57-9a63-2f7d0e1b6c42"
local pluginName = "Virellando"
local parameterCount = 11
local sampleDataCeilingSeconds = 120

local function fail (text)
  io.stderr:write ("session.lua: " .. text .. "\n")
  os.exit (1)
end

local function shell (command)
  local pipe = io.popen (command)
  local text = pipe:read ("a")
  pipe:close ()
  return text
end

-- The sample data is read on a thread carrying the name of the thread that created the instance (Ardour
-- names all its own): exports run faster than real time, so wait until no such thread is left.
local function waitForSampleData ()
  local count = [[main=$(cat /proc/$PPID/comm); n=0
    for task in /proc/$PPID/task/*; do
      [ "${task##*/}" = "$PPID" ] && continue
      [ "$(cat "$task/comm" 2>/dev/null)" = "$main" ] && n=$((n + 1))
    done; echo $n]]
  local waited = 0
  while tonumber (shell (count)) > 0 do
    if waited >= sampleDataCeilingSeconds then fail ("the sound bank was still loading after " .. waited .. " s") end
    shell ("sleep 0.05")
    waited = waited + 0.05
  end
end

local function findPlugin (route)
  local i = 0
  while true do
    local proc = route:nth_plugin (i)
    if proc:isnil () then return nil end
    if proc:to_insert ():plugin (0):name () == pluginName then return proc end
    i = i + 1
  end
end

local function writeParameters (proc, fileName)
  local file = assert (io.open (outFolder .. "/" .. fileName, "w"))
  for index = 0, parameterCount - 1 do
    file:write (string.format ("%d %.9g\n", index, ARDOUR.LuaAPI.get_processor_param (proc, index, true)))
  end
  file:close ()
end

local function export (name)
  local job = Session:simple_export ()
  if not job:set_preset (exportPreset) then fail ("the float WAV export preset is not installed") end
  job:set_name (name)
  job:set_folder (outFolder)
  job:set_range (0, exportEnd)
  if not job:run_export () then fail ("the export of " .. name .. " failed") end
end

local function save ()
  if Session:save_state ("", false, false, false, false, false) ~= 0 then fail ("cannot save the session") end
end

local function openSavedPlugin ()
  if not load_session (sessionFolder, sessionName) then fail ("cannot open the saved session") end
  local track = Session:route_by_name ("Piano")
  if track:isnil () then fail ("the reopened session has no track Piano") end
  local proc = findPlugin (track)
  if not proc then fail ("the reopened track has no " .. pluginName) end
  waitForSampleData ()
  return proc
end

AudioEngine:set_backend ("None (Dummy)", "", "")

if mode == "create" then
  if not create_session (sessionFolder, sessionName, sampleRate) then fail ("cannot create the session") end
  local tracks = Session:new_midi_track (ARDOUR.ChanCount (ARDOUR.DataType ("midi"), 1),
    ARDOUR.ChanCount (ARDOUR.DataType ("audio"), 2), true, ARDOUR.PluginInfo (), nil, nil, 1, "Piano",
    ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
  if tracks:size () ~= 1 then fail ("cannot add the MIDI track") end
  local track = tracks:front ()

  local plugin = ARDOUR.LuaAPI.new_plugin (Session, pluginName, ARDOUR.PluginType.LXVST, "")
  if plugin:isnil () then fail ("Ardour does not list the VST plug-in " .. pluginName .. " (LXVST_PATH, VST cache)") end
  track:add_processor_by_index (plugin, 0, nil, true)
  local chord = ARDOUR.LuaAPI.new_luaproc (Session, "Virellando Test Chord")
  if chord:isnil () then fail ("the test chord script is not installed") end
  track:add_processor_by_index (chord, 0, nil, true)
  ARDOUR.LuaAPI.set_processor_param (chord, 0, chordOn)
  ARDOUR.LuaAPI.set_processor_param (chord, 1, chordOff)
  waitForSampleData ()
  writeParameters (plugin, "params-default.txt")
  save ()
  export ("first")
elseif mode == "change" then
  local plugin = openSavedPlugin ()
  for index, value in changes:gmatch ("(%d+)=([%d.]+)") do
    if not ARDOUR.LuaAPI.set_processor_param (plugin, tonumber (index), tonumber (value)) then
      fail ("cannot set parameter " .. index)
    end
  end
  writeParameters (plugin, "params-saved.txt")
  save ()
  export ("changed")
elseif mode == "reopen" then
  writeParameters (openSavedPlugin (), "params-reopened.txt")
  export ("reopened")
else
  fail ("unknown mode " .. mode)
end

close_session ()
