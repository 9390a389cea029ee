-- Export template: a private copy of it receives the profile being exported. Every key
-- row must exist, because export only updates rows.
-- Values are kept as decimal text; the tool reads them as text and writes integer literals.
CREATE TABLE tBUTSET (
    BtnName TEXT NOT NULL,
    SDownPos TEXT,
    LDownPos TEXT,
    LDownTime TEXT,
    TurboPos TEXT,
    TurboTime TEXT,
    ConDisable TEXT,
    ConDisableTime TEXT,
    LSwitchPos1 TEXT,
    LSwitchPos2 TEXT,
    LSwitchPos3 TEXT,
    LSwitchPos4 TEXT,
    LSwitchPos5 TEXT,
    LSwitchTime TEXT,
    LSwitchFlag TEXT
);
CREATE TABLE tSTICKSET_Left (
    KeyName TEXT NOT NULL,
    mode TEXT,
    rotate TEXT,
    sen TEXT,
    deadzone TEXT
);
CREATE TABLE tSTICKSET_Right (
    KeyName TEXT NOT NULL,
    mode TEXT,
    rotate TEXT,
    sen TEXT,
    deadzone TEXT
);

-- Each button produces its own function; no long press, turbo or switch position is
-- assigned (31); long press 0.5 s, turbo setting 1, continuous-disable off at 0.1 s, switch
-- step 2.0 s.
INSERT INTO tBUTSET VALUES ('J_LSB_P',   14, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_CAP_P',   17, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_MINUS_P', 12, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_ZL_P',    10, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_L_P',      8, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_LEFT_P',   2, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_UP_P',     0, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_DOWN_P',   1, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_RIGHT_P',  3, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_Y_P',      4, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_X_P',      7, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_B_P',      5, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_A_P',      6, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_R_P',      9, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_ZR_P',    11, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_PLUS_P',  13, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_HOME_P',  16, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);
INSERT INTO tBUTSET VALUES ('J_RSB_P',   15, 31,  5, 31,  1,  0,  1, 31, 31, 31, 31, 31, 20,  0);

-- Left stick in left-stick mode, right stick in right-stick mode; no rotation, 100 %
-- sensitivity, no dead zone.
INSERT INTO tSTICKSET_Left VALUES ('Left', 1, 0, 100, 0);
INSERT INTO tSTICKSET_Right VALUES ('Right', 2, 0, 100, 0);
