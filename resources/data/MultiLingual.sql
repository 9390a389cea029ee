-- Every visible text of the tool, by number, in one column per language. English and Japanese
-- are complete; the other columns are left for translators.
CREATE TABLE MultiLingualData (
    id INTEGER,
    english TEXT DEFAULT '',
    japanese TEXT DEFAULT '',
    french TEXT DEFAULT '',
    german TEXT DEFAULT '',
    italian TEXT DEFAULT '',
    spanish TEXT DEFAULT '',
    dutch TEXT DEFAULT ''
);

-- Window titles the desktop shows (task switcher, taskbar); the windows find each other by
-- their own lookup titles, not by these.
INSERT INTO MultiLingualData (id, english, japanese) VALUES
(400, 'ORV Function Set Tool', 'ORV 機能設定ツール'),
(401, 'Connecting', '接続中'),
(402, 'Controller connection', 'コントローラーの接続'),
(403, 'Exit', '終了'),
(404, 'Profile', 'プロファイル'),
(405, 'New profile', '新しいプロファイル'),
(406, 'Rename profile', 'プロファイル名の変更'),
(407, 'Save profile', 'プロファイルの保存'),
(408, 'Factory settings', '工場出荷時の設定'),
(409, 'Discard changes', '変更の破棄'),
(410, 'Profile saved', '保存完了'),
(411, 'About', 'バージョン情報'),
(412, 'Button functions', 'ボタン機能の設定'),
(413, 'Long-press switch', '長押し切り替え'),
(414, 'Stick settings', 'スティックの設定'),
(415, 'Live test', '動作テスト'),
(416, 'Continuous disable', '連続入力無効'),
(417, 'Back to function button', '機能ボタンに戻す'),
(418, 'Directions', '説明'),
(419, 'Settings files', '設定ファイル'),
(420, 'Import settings', '設定のインポート'),
(421, 'Export settings', '設定のエクスポート');

INSERT INTO MultiLingualData (id, english, japanese) VALUES
-- Function labels and menu items
(1, 'L Stick Click', 'Lスティック押し込み'),
(18, 'R Stick Click', 'Rスティック押し込み'),
(19, 'Left Stick', '左スティック'),
(20, 'Right Stick', '右スティック'),
-- Main window
(21, 'Select a profile to edit.', '編集するプロファイルを選択してください。'),
(22, 'Reset', 'リセット'),
(23, 'Save', '保存'),
(24, 'Revert', '元に戻す'),
(25, 'File', 'ファイル'),
(29, 'Help', 'ヘルプ'),
(54, 'Test Play', 'テストプレイ'),
-- None and stick rotation
(35, 'None', 'なし'),
(36, 'No Rotation', '回転なし'),
(37, 'Rotate Right 90°', '右に90°回転'),
(38, 'Rotate Left 90°', '左に90°回転'),
(39, 'Rotate 180°', '180°回転'),
-- Profile dialogs
(41, 'OK', 'OK'),
(42, 'Cancel', 'キャンセル'),
(47, 'The profile name is empty. Please enter a name.', 'プロファイル名が入力されていません。名前を入力してください。'),
(55, 'What would you like to do with this profile?', 'このプロファイルをどうしますか？'),
(56, 'Keep the settings stored in this slot and change them.', 'このスロットに保存されている設定を、そのまま編集します。'),
(57, 'Start again from the factory settings under a new name.', '工場出荷時の設定から、新しい名前で作り直します。'),
(58, 'New profile', '新規作成'),
(59, 'Edit profile', '編集'),
(60, 'Cancel', 'キャンセル'),
(61, 'Enter a name for the profile.', 'プロファイルの名前を入力してください。'),
-- Settings files
(52, 'The settings file could not be written.', '設定ファイルに書き込めませんでした。'),
-- Button editor prompts
(62, 'Continuous-disable will be turned on for this button, and its turbo setting will not be available.', 'このボタンの連続入力無効をオンにします。連射の設定は使用できなくなります。'),
(63, 'Do you want to continue?', '続行しますか？'),
(64, 'OK', 'OK'),
(65, 'Cancel', 'キャンセル'),
(68, 'This button will become a long-press switch. Its current function settings will not be used.', 'このボタンを長押し切り替えに変更します。現在の機能設定は使用されなくなります。'),
(69, 'Do you want to continue?', '続行しますか？'),
(70, 'Change this button back to a function button? Its long-press switch settings will not be used.', 'このボタンを機能ボタンに戻しますか？長押し切り替えの設定は使用されなくなります。'),
-- Connection
(66, 'The controller is not connected. Connect the controller and start the tool again.', 'コントローラーが接続されていません。コントローラーを接続してから、もう一度起動してください。'),
(67, 'OK', 'OK'),
(76, 'The controller could not be initialized. Reconnect the controller and start the tool again.', 'コントローラーを初期化できませんでした。コントローラーを接続し直してから、もう一度起動してください。'),
(82, 'This controller cannot be used with this tool.', 'このコントローラーはこのツールでは使用できません。'),
-- Prompts
(71, 'Version {version}', 'バージョン {version}'),
(72, 'The profile was saved to the controller.', 'プロファイルをコントローラーに保存しました。'),
(73, 'OK', 'OK'),
(74, 'Save this profile to the controller?', 'このプロファイルをコントローラーに保存しますか？'),
(75, 'Reset this profile to the factory settings?', 'このプロファイルを工場出荷時の設定に戻しますか？'),
(77, 'Warning', '警告'),
(78, 'The new profile could not be created.', '新しいプロファイルを作成できませんでした。'),
(79, 'Please select a profile first.', '先にプロファイルを選択してください。'),
(80, 'Leave this profile without saving? Unsaved changes will be lost.', '保存せずにこのプロファイルの編集を終了しますか？保存していない変更は失われます。'),
(110, 'Exit the tool?', 'ツールを終了しますか？'),
(111, 'Saving to the controller failed. The profile on the controller was not changed.', 'コントローラーへの保存に失敗しました。コントローラーのプロファイルは変更されていません。'),
(112, 'This file is not a profile settings file and cannot be imported.', 'このファイルはプロファイル設定ファイルではないため、インポートできません。'),
-- Stick editor
(81, 'No Dead Zone', 'デッドゾーンなし'),
-- Stick test screens
(84, 'Stick Mode Test', 'スティックモードテスト'),
(85, 'Move the stick to see which stick it works as.', 'スティックを動かして、どちらのスティックとして動作するか確認してください。'),
(86, 'Left Stick', '左スティック'),
(87, 'Right Stick', '右スティック'),
(88, 'Rotation Test', '回転テスト'),
(89, 'Move the stick to check its direction after rotation.', 'スティックを動かして、回転後の方向を確認してください。'),
(90, 'Dead Zone Test', 'デッドゾーンテスト'),
(91, 'Move the stick slowly to see where it starts to respond.', 'スティックをゆっくり動かして、反応し始める位置を確認してください。'),
(92, 'Sensitivity Test', '感度テスト'),
(93, 'Move the stick to check how strongly it responds.', 'スティックを動かして、反応の強さを確認してください。'),
(94, 'Test Play', 'テストプレイ'),
(95, 'Press the buttons and move the sticks to try the current settings.', 'ボタンを押したりスティックを動かしたりして、現在の設定を試してください。'),
-- Button test screens
(96, 'Short Press Test', '短押しテスト'),
(97, 'Press the button briefly to see the function it sends.', 'ボタンを短く押して、出力される機能を確認してください。'),
(98, 'Long Press Test', '長押しテスト'),
(99, 'Hold the button down to see the function it sends.', 'ボタンを長押しして、出力される機能を確認してください。'),
(100, 'Turbo Test', '連射テスト'),
(101, 'Hold the button down to see the function it repeats.', 'ボタンを押し続けて、連続で出力される機能を確認してください。'),
(102, 'Continuous-Disable Test', '連続入力無効テスト'),
(103, 'Hold the button down to check that its input stops after the set time.', 'ボタンを押し続けて、設定時間の後に入力が止まることを確認してください。'),
(104, 'Long-Press Switch Test', '長押し切り替えテスト'),
(105, 'Hold the button down to step to the next position.', 'ボタンを長押しして、次の位置に切り替わることを確認してください。'),
(106, 'A short press still sends the short-press function.', '短く押すと、短押しの機能が出力されます。'),
(107, 'Release the button to stop the repeat.', 'ボタンを離すと、連続出力が止まります。'),
(108, 'Release the button and press it again to resume input.', 'ボタンを離してもう一度押すと、入力が再開されます。'),
(109, 'A short press sends the function of the current position.', '短く押すと、現在の位置の機能が出力されます。'),
-- Backup and restore of the whole controller
(200, 'Back up controller…', 'コントローラーをバックアップ…'),
(201, 'Restore controller…', 'コントローラーを復元…'),
(202, 'Back up controller', 'コントローラーのバックアップ'),
(203, 'Restore controller', 'コントローラーの復元'),
(204, 'All twelve profiles of the controller were backed up.', 'コントローラーの12個のプロファイルをすべてバックアップしました。'),
(205, 'The backup could not be written. Choose a folder you can write to and try again.', 'バックアップを書き込めませんでした。書き込み可能なフォルダーを選んで、もう一度お試しください。'),
(206, 'This file is not a controller backup, or it is damaged. Nothing was written to the controller.', 'このファイルはコントローラーのバックアップではないか、破損しています。コントローラーには何も書き込まれていません。'),
(207, 'All profiles in the backup were restored to the controller.', 'バックアップのプロファイルをすべてコントローラーに復元しました。'),
(208, 'Restoring stopped because the controller did not take a profile. The profiles not yet written are unchanged. Check the cable and try again.', 'コントローラーがプロファイルを受け付けなかったため、復元を中止しました。まだ書き込まれていないプロファイルは変更されていません。ケーブルを確認して、もう一度お試しください。'),
(209, 'Leave the profile you are editing before backing up or restoring the controller.', 'コントローラーのバックアップや復元の前に、編集中のプロファイルを終了してください。'),
(210, 'No controller is connected.', 'コントローラーが接続されていません。'),
-- Feedback while a profile is open
(300, 'Factory settings are shown. Save writes them to the controller; Revert keeps the profile as it was.', '工場出荷時の設定を表示しています。「保存」でコントローラーに書き込み、「元に戻す」で元の設定に戻ります。'),
(301, 'Profile “{profile}” exported to {file}.', 'プロファイル「{profile}」を {file} にエクスポートしました。'),
(302, '{file} imported into profile “{profile}”. Save writes it to the controller.', '{file} をプロファイル「{profile}」にインポートしました。「保存」でコントローラーに書き込みます。'),
(303, 'Save or revert this profile before choosing another profile or host mode.', '別のプロファイルやホストモードを選ぶ前に、このプロファイルを保存するか元に戻してください。'),
-- Captions beside the cells of the main window
(304, 'Capture', 'キャプチャー'),
(305, 'Home', 'ホーム'),
-- Marks over the button cells, and their legend
(306, 'L', '長'),
(307, 'T', '連'),
(308, 'C', '無'),
(309, 'S', '切'),
(310, 'Marks: L long press · T turbo · C continuous-disable · S long-press switch', '表示: 長 長押し・連 連射・無 連続入力無効・切 長押し切り替え'),
-- About window
(311, 'This tool uses Qt (GNU LGPL 3), SQLite (public domain), Boost (Boost Software License 1.0), hidapi (BSD licence), libusb (GNU LGPL 2.1), libudev (GNU LGPL 2.1) and the Noto fonts (SIL Open Font License 1.1).', 'このツールは次のソフトウェアを使用しています: Qt (GNU LGPL 3)、SQLite (パブリックドメイン)、Boost (Boost Software License 1.0)、hidapi (BSD ライセンス)、libusb (GNU LGPL 2.1)、libudev (GNU LGPL 2.1)、Noto フォント (SIL Open Font License 1.1)。'),
-- Simulated controller
(312, 'Keys (simulated controller):', 'キー操作 (シミュレーション):'),
(313, 'Simulated controller', 'シミュレーションのコントローラー');


-- Installation and access (320-329)
INSERT INTO MultiLingualData (id, english, japanese) VALUES
(320, 'The controller is plugged in, but this user may not open it. Install the orvtool package, or copy 70-orv-controller.rules to /etc/udev/rules.d/, then plug the controller in again.', 'コントローラーは接続されていますが、このユーザーには開く権限がありません。orvtool パッケージをインストールするか、70-orv-controller.rules を /etc/udev/rules.d/ にコピーしてから、コントローラーを接続し直してください。');
